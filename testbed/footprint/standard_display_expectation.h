// What the standard display restore writes, as documented: the VGA and
// 9821-series profiles with their data sizes, the writes of a registration
// under given instance names in order, and a registry tree with them applied.
// Shared by the restore's own tests and the uninstall tests that see it run.
#ifndef TESTBED_STANDARD_DISPLAY_EXPECTATION_H
#define TESTBED_STANDARD_DISPLAY_EXPECTATION_H

#include "log_config_layout.h"
#include "registry_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace expectation {

using testreg::RecordedWrite;

inline const std::string CLASS_ROOT = "System\\CurrentControlSet\\Services\\Class\\DISPLAY";
inline const std::string DEVICE_ROOT = "Enum\\Root\\Display";
inline const std::string SETTINGS = "Config\\0001\\Display\\Settings";

struct TextRow {
    const char* name;
    const char* text;
    size_t size;  // as the write table gives it
};
struct ModeRow {
    const char* depth;
    const char* resolution;
    std::vector<TextRow> values;
};

// The two profiles as documented, with their data sizes.
struct ExpectedProfile {
    TextRow description;
    TextRow infSection;
    std::vector<TextRow> defaults;
    std::vector<ModeRow> modes;
    const char* hardwareId;
    TextRow manufacturer;
    std::vector<layout::Record> resources;
    const char* bitsPerPixel;
};

inline const ExpectedProfile VGA = {
    {"", "ｽﾀﾝﾀﾞｰﾄﾞ ﾃﾞｨｽﾌﾟﾚｲ ｱﾀﾞﾌﾟﾀ (VGA)", 31},
    {"InfSection", "VGA", 4},
    {{"drv", "vga.drv", 8}, {"Mode", "4,640,480", 10}, {"vdd", "*vdd", 5}},
    {{"1", "640,480", {{"drv", "framebuf.drv", 13}, {"vdd", "*vdd,*vflatd", 13}}}, {"4", "640,480", {}}},
    "*PNP0900",
    {"Mfg", "(ｽﾀﾝﾀﾞｰﾄﾞ ﾃﾞｨｽﾌﾟﾚｲ)", 20},
    layout::VgaList(),
    "4",
};

inline const ExpectedProfile PC98 = {
    {"", "ｽﾀﾝﾀﾞｰﾄﾞ ﾃﾞｨｽﾌﾟﾚｲ ｱﾀﾞﾌﾟﾀ (9821 ｼﾘｰｽﾞ)", 38},
    {"InfSection", "NEC_PEGC", 9},
    {{"AccVal", "1", 2}, {"drv", "pegcv8.drv", 11}, {"grb", "grab98.3gr", 11}, {"Mode", "8,640,480", 10},
     {"vdd", "*vdd", 5}},
    {{"8", "640,480", {}}},
    "*nEC1902",
    {"Mfg", "NEC", 4},
    layout::Pc98List(),
    "8",
};

inline RecordedWrite Write(const std::string& key, const std::string& name, DWORD type, std::vector<BYTE> data)
{
    return {"HKLM\\" + key, name, type, data};
}

inline RecordedWrite Text(const std::string& key, const char* name, const char* text, size_t size)
{
    std::vector<BYTE> data(text, text + lstrlenA(text) + 1);
    EXPECT_EQ(size, data.size()) << name;
    return Write(key, name, REG_SZ, data);
}

inline RecordedWrite Text(const std::string& key, const TextRow& row)
{
    return Text(key, row.name, row.text, row.size);
}

inline const std::vector<BYTE> NO_FLAGS = {0, 0, 0, 0};

// Rows 1 to 20 of the write table with class instance `k` and device instance `n`.
inline std::vector<RecordedWrite> RegistrationWrites(const ExpectedProfile& p, const std::string& k,
                                              const std::string& n)
{
    const std::string entry = CLASS_ROOT + "\\" + k, device = DEVICE_ROOT + "\\" + n;
    std::vector<RecordedWrite> writes = {
        Text(entry, "DevLoader", "*vdd", 5),
        Text(entry, "DriverDesc", p.description.text, p.description.size),
        Text(entry, "InfPath", "MSDISP.INF", 11),
        Text(entry, p.infSection),
        Text(entry, "Ver", "4.0", 4),
    };
    for (const TextRow& row : p.defaults)
        writes.push_back(Text(entry + "\\DEFAULT", row));
    for (const ModeRow& mode : p.modes)
        for (const TextRow& row : mode.values)
            writes.push_back(Text(entry + "\\MODES\\" + mode.depth + "\\" + mode.resolution, row));
    std::vector<BYTE> driver(256, 0);  // the reference, then zeros
    std::string reference = "Display\\" + k;
    std::copy(reference.begin(), reference.end(), driver.begin());
    for (const RecordedWrite& write : {
             Text(device, "Class", "Display", 8),
             Write(device, "ConfigFlags", REG_BINARY, NO_FLAGS),
             Text(device, "DeviceDesc", p.description.text, p.description.size),
             Write(device, "Driver", REG_SZ, driver),
             Write(device, "ForcedConfig", REG_BINARY, layout::Expected(true, p.resources)),
             Text(device, "HardwareID", p.hardwareId, 9),
             Text(device, p.manufacturer),
             Write(device + "\\LogConfig", "0", REG_BINARY, layout::Expected(false, p.resources)),
             Write("Config\\0001\\Enum\\Root\\Display\\" + n, "CSConfigFlags", REG_BINARY, NO_FLAGS),
         })
        writes.push_back(write);
    return writes;
}

// Rows 21 and 22.
inline std::vector<RecordedWrite> SettingsWrites(const ExpectedProfile& p)
{
    return {Text(SETTINGS, "BitsPerPixel", p.bitsPerPixel, 2), Text(SETTINGS, "Resolution", "640,480", 8)};
}

template <typename T>
std::vector<T> operator+(std::vector<T> a, const std::vector<T>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// What a registration leaves besides its values: the mode keys (row 11).
inline std::vector<std::string> RegistrationKeys(const ExpectedProfile& p, const std::string& k)
{
    std::vector<std::string> keys;
    for (const ModeRow& mode : p.modes)
        keys.push_back(CLASS_ROOT + "\\" + k + "\\MODES\\" + mode.depth + "\\" + mode.resolution);
    return keys;
}

// The tree `before` with the writes applied as the registry keeps them:
// Wine stores a REG_SZ only up to its first NUL, so the 256-byte Driver data
// reads back as the reference and its terminator. The tree's paths are
// relative to HKEY_LOCAL_MACHINE, or begin with "HKLM\" when `named`.
inline testreg::Tree Expected(testreg::Tree before, const std::vector<RecordedWrite>& writes,
                              const std::vector<std::string>& keys, bool named = false)
{
    for (const std::string& key : keys)
        testreg::Apply(&before, testreg::KeyEntry(named ? "HKLM\\" + key : key));
    for (const RecordedWrite& write : writes) {
        std::vector<BYTE> data = write.data;
        if (write.type == REG_SZ)
            data.resize(std::find(data.begin(), data.end(), 0) - data.begin() + 1);
        testreg::Apply(&before, testreg::ValueEntry(named ? write.key : write.key.substr(5), write.name,
                                                    write.type, data));
    }
    return before;
}

}  // namespace expectation

#endif
