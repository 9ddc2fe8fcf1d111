// The logical configuration values as the tests read the layout on their own:
// the two resource lists transcribed row by row, and each field placed at its
// documented offset into a value of the documented length (no code shared
// with the builder).
#ifndef TESTBED_LOG_CONFIG_LAYOUT_H
#define TESTBED_LOG_CONFIG_LAYOUT_H

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace layout {

const DWORD MEMORY = 1, IO = 2;

struct Alternative {
    DWORD mask, length, lowestBase, highestEnd;
};
struct Record {
    DWORD type;
    std::vector<Alternative> alternatives;
};

inline std::vector<Record> VgaList()
{
    return {
        {IO, {{0xFFFF, 12, 0x3B0, 0x3BB}}},
        {IO, {{0xFFFF, 32, 0x3C0, 0x3DF}}},
        {MEMORY, {{0xFFFFF000, 0x10000, 0xA0000, 0xAFFFF}}},
        {MEMORY, {{0xFFFFF000, 0x8000, 0xB8000, 0xBFFFF}}},
        {MEMORY, {{0xFFFFF000, 0x8000, 0xC0000, 0xC7FFF}, {0xFFFFF000, 0x8000, 0xD0000, 0xD7FFF},
                  {0xFFFFF000, 0x6000, 0xE0000, 0xE5FFF}, {0xFFFFF000, 0x8000, 0xE0000, 0xE7FFF}}},
    };
}

inline std::vector<Record> Pc98List()
{
    std::vector<Record> list;
    for (DWORD port : {0x60, 0x62, 0x64, 0x66, 0x68, 0x6A, 0x6C, 0x6E, 0x7C, 0x7E, 0xA0, 0xA2, 0xA4,
                       0xA6, 0xA8, 0xAA, 0xAC, 0xAE, 0x4A0})
        list.push_back({IO, {{0xFFFF, 1, port, port}}});
    list.push_back({IO, {{0xFFFF, 4, 0x18F0, 0x18F3}}});
    list.push_back({MEMORY, {{0xFFFFF000, 0x18000, 0xA8000, 0xBFFFF}}});
    list.push_back({MEMORY, {{0xFFFFF000, 0x8000, 0xE0000, 0xE7FFF}}});
    return list;
}

// Field (offset, size, value) placement into a value whose every byte must
// be given exactly once.
class Value {
public:
    explicit Value(size_t size) : bytes_(size), placed_(size) {}
    void Place(size_t start, std::initializer_list<std::initializer_list<DWORD>> fields)
    {
        for (auto field : fields) {
            DWORD offset = field.begin()[0], size = field.begin()[1], value = field.begin()[2];
            for (DWORD i = 0; i < size; ++i) {
                EXPECT_FALSE(placed_.at(start + offset + i)) << "byte " << start + offset + i;
                placed_[start + offset + i] = true;
                bytes_[start + offset + i] = (BYTE)(value >> (8 * i));
            }
        }
    }
    std::vector<BYTE> Bytes() const
    {
        for (size_t i = 0; i < placed_.size(); ++i)
            EXPECT_TRUE(placed_[i]) << "byte " << i << " is given by no field";
        return bytes_;
    }

private:
    std::vector<BYTE> bytes_;
    std::vector<bool> placed_;
};

inline DWORD RecordLength(const Record& record)
{
    DWORD n = (DWORD)record.alternatives.size();
    return record.type == IO ? 20 + 12 * n : 24 + 20 * n;
}

// The forced form (true) or the requirement form (false) of `list`.
inline std::vector<BYTE> Expected(bool forced, const std::vector<Record>& list)
{
    size_t total = 8 + 4;
    for (const Record& record : list)
        total += RecordLength(record);
    Value value(total);
    value.Place(0, {{0, 4, 0x400}, {4, 4, forced ? 0u : 0xE000u}});
    size_t at = 8;
    for (const Record& record : list) {
        const DWORD n = (DWORD)record.alternatives.size();
        const Alternative& first = record.alternatives[0];
        value.Place(at, {{0, 4, RecordLength(record)}, {4, 4, record.type}, {8, 2, n}});
        if (record.type == IO) {
            value.Place(at, {{10, 2, 12}, {12, 2, forced ? first.lowestBase : 0},
                             {14, 2, forced ? first.highestEnd : 0}, {16, 2, 0}, {18, 1, 0},
                             {19, 1, forced ? 3u : 0u}});
            for (DWORD k = 0; k < n; ++k) {
                const Alternative& range = record.alternatives[k];
                value.Place(at + 20 + 12 * k, {{0, 2, range.mask}, {2, 2, range.length},
                                               {4, 2, range.lowestBase}, {6, 2, range.highestEnd},
                                               {8, 2, 0}, {10, 1, 0}, {11, 1, 3}});
            }
        } else {
            value.Place(at, {{10, 2, 20}, {12, 4, forced ? first.lowestBase : 0},
                             {16, 4, forced ? first.highestEnd : 0}, {20, 2, 0}, {22, 2, 0}});
            for (DWORD k = 0; k < n; ++k) {
                const Alternative& window = record.alternatives[k];
                value.Place(at + 24 + 20 * k, {{0, 4, window.mask}, {4, 4, window.length},
                                               {8, 4, window.lowestBase}, {12, 4, window.highestEnd},
                                               {16, 2, 0}, {18, 2, 0}});
            }
        }
        at += RecordLength(record);
    }
    value.Place(at, {{0, 4, 0}});
    return value.Bytes();
}

}  // namespace layout

#endif
