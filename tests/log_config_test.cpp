// The four logical configuration values, byte for byte.
#include "log_config_layout.h"
#include "standard_display.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<BYTE> Build(LogConfForm form, const StandardDisplayProfile& profile)
{
    BYTE value[LOGCONF_VALUE_MAX];
    DWORD size = BuildLogConfValue(form, *profile.resources, value, sizeof(value));
    return std::vector<BYTE>(value, value + size);
}

TEST(LogConfValue, EveryByteOfAllFourValuesFollowsTheLayout)
{
    struct Case {
        const char* what;
        const StandardDisplayProfile& profile;
        std::vector<layout::Record> list;
        size_t size;
    } cases[] = {
        {"VGA", VgaDisplayProfile, layout::VgaList(), 268},
        {"PC-98", Pc98DisplayProfile, layout::Pc98List(), 740},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.size, layout::Expected(true, c.list).size());
        EXPECT_EQ(layout::Expected(true, c.list), Build(LOGCONF_FORCED, c.profile));
        EXPECT_EQ(layout::Expected(false, c.list), Build(LOGCONF_REQUIREMENT, c.profile));
    }
}

TEST(LogConfValue, VgaFormsBeginWithTheDocumentedBytes)
{
    const std::vector<BYTE> forced = {
        0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0x02, 0x00,
        0x00, 0x00, 0x01, 0x00, 0x0C, 0x00, 0xB0, 0x03, 0xBB, 0x03, 0x00, 0x00, 0x00, 0x03,
        0xFF, 0xFF, 0x0C, 0x00, 0xB0, 0x03, 0xBB, 0x03, 0x00, 0x00, 0x00, 0x03};
    const std::vector<BYTE> requirement = {
        0x00, 0x04, 0x00, 0x00, 0x00, 0xE0, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0x02, 0x00,
        0x00, 0x00, 0x01, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0xFF, 0xFF, 0x0C, 0x00, 0xB0, 0x03, 0xBB, 0x03, 0x00, 0x00, 0x00, 0x03};
    std::vector<BYTE> built = Build(LOGCONF_FORCED, VgaDisplayProfile);
    EXPECT_EQ(forced, std::vector<BYTE>(built.begin(), built.begin() + 40));
    built = Build(LOGCONF_REQUIREMENT, VgaDisplayProfile);
    EXPECT_EQ(requirement, std::vector<BYTE>(built.begin(), built.begin() + 40));
}

DWORD Dword(const std::vector<BYTE>& value, size_t at)
{
    return value[at] | value[at + 1] << 8 | value[at + 2] << 16 | (DWORD)value[at + 3] << 24;
}

TEST(LogConfValue, VideoBiosAreaIsOneRecordWithFourWindowsAndTheValueEndsInZeros)
{
    // After the header (8) and two I/O (32 each) and two memory records (44 each).
    const size_t BIOS_RECORD = 8 + 32 + 32 + 44 + 44;
    std::vector<BYTE> forced = Build(LOGCONF_FORCED, VgaDisplayProfile);
    ASSERT_EQ(268u, forced.size());
    EXPECT_EQ(104u, Dword(forced, BIOS_RECORD));
    EXPECT_EQ(1u, Dword(forced, BIOS_RECORD + 4));
    EXPECT_EQ(4u, forced[BIOS_RECORD + 8] | forced[BIOS_RECORD + 9] << 8);
    EXPECT_EQ(0x000C0000u, Dword(forced, BIOS_RECORD + 12));
    EXPECT_EQ(0x000C7FFFu, Dword(forced, BIOS_RECORD + 16));
    EXPECT_EQ(BIOS_RECORD + 104 + 4, forced.size());
    for (const StandardDisplayProfile* profile : {&VgaDisplayProfile, &Pc98DisplayProfile})
        for (LogConfForm form : {LOGCONF_FORCED, LOGCONF_REQUIREMENT}) {
            std::vector<BYTE> value = Build(form, *profile);
            EXPECT_EQ(0u, Dword(value, value.size() - 4));
        }
}

TEST(LogConfValue, ValueThatWouldNotFitIsNotBuilt)
{
    BYTE value[LOGCONF_VALUE_MAX];
    EXPECT_EQ(0u, BuildLogConfValue(LOGCONF_FORCED, *Pc98DisplayProfile.resources, value, 739));
    EXPECT_EQ(0u, BuildLogConfValue(LOGCONF_FORCED, *Pc98DisplayProfile.resources, value, 0));
    EXPECT_EQ(740u, BuildLogConfValue(LOGCONF_FORCED, *Pc98DisplayProfile.resources, value, 740));
}

}  // namespace
