// The standard display restore in-process: a scratch registry compared whole
// before and after each call with the documented write tables, the writes
// recorded in order with their sizes, and the prefix's SYSTEM.INI (saved and
// put back around every test).
#include "display_restore.h"
#include "scratch_registry.h"
#include "standard_display.h"
#include "standard_display_expectation.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace expectation;

const std::string BIOS = "Enum\\BIOS";

void AddKey(const std::string& key)
{
    HKEY created;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, key.c_str(), &created));
    RegCloseKey(created);
}

// Instance names "<first>" to "<last>" with four digits, each with an old value.
void AddInstances(const std::string& root, int first, int last)
{
    for (int i = first; i <= last; ++i) {
        char name[8];
        wsprintfA(name, "%04d", i);
        testreg::WriteString(HKEY_LOCAL_MACHINE, (root + "\\" + name).c_str(), "DriverDesc", "old");
    }
}

void AddBiosInstance(const std::string& bus, const std::string& instance, DWORD type, const std::string& data)
{
    testreg::Write(HKEY_LOCAL_MACHINE, (BIOS + "\\" + bus + "\\" + instance).c_str(), "Class", type,
                   data.c_str(), (DWORD)data.size() + (type == REG_SZ));
}

void AddDisplaySettings()
{
    testreg::WriteDword(HKEY_LOCAL_MACHINE, SETTINGS.c_str(), "BitsPerPixel", 16);  // odd type
    testreg::WriteString(HKEY_LOCAL_MACHINE, SETTINGS.c_str(), "DPILogicalX", "96");
}

class DisplayRestore : public ::testing::Test {
protected:
    void SetUp() override
    {
        char directory[MAX_PATH];
        GetWindowsDirectoryA(directory, sizeof(directory));
        systemIni_ = std::string(directory) + "\\SYSTEM.INI";
        hadSystemIni_ = ReadFile(systemIni_, &savedSystemIni_);
    }
    void TearDown() override
    {
        if (hadSystemIni_)
            WriteFile(systemIni_, savedSystemIni_);
        else
            DeleteFileA(systemIni_.c_str());
        WritePrivateProfileStringA(NULL, NULL, NULL, "SYSTEM.INI");  // drop the cached copy
    }
    // Runs `call` in a scratch registry prepared by `setUp` and checks that it
    // made exactly `writes` in order, leaving the tree as before with those
    // writes and `keys` added; and that SYSTEM.INI names `profile`.
    void ExpectRun(const std::function<void()>& setUp, const std::function<void()>& call,
                   const std::vector<RecordedWrite>& writes, const std::vector<std::string>& keys,
                   const ExpectedProfile& profile)
    {
        testreg::ScratchRegistry registry;
        setUp();
        WritePrivateProfileStringA("boot.description", "display.drv", "NORIX", "SYSTEM.INI");
        testreg::Tree before = testreg::DumpTree(HKEY_LOCAL_MACHINE, "");
        std::vector<RecordedWrite> made;
        {
            testreg::WriteRecorder recorder;
            call();
            made = recorder.writes();
        }
        EXPECT_EQ(writes, made);
        testreg::Tree expected = Expected(before, writes, keys);
        testreg::Tree after = testreg::DumpTree(HKEY_LOCAL_MACHINE, "");
        EXPECT_TRUE(expected == after) << testreg::Difference(expected, after);
        char text[256];
        GetPrivateProfileStringA("boot.description", "display.drv", "", text, sizeof(text), "SYSTEM.INI");
        EXPECT_STREQ(profile.description.text, text);
    }
    static bool ReadFile(const std::string& path, std::string* bytes)
    {
        std::ifstream file(path, std::ios::binary);
        if (!file)
            return false;
        bytes->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        return true;
    }
    static void WriteFile(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string systemIni_;
    std::string savedSystemIni_;
    bool hadSystemIni_ = false;
};

TEST_F(DisplayRestore, VgaRestoreTakesTheFirstFreeNamesAndMakesExactlyTheDocumentedWrites)
{
    struct Case {
        const char* what;
        std::function<void()> setUp;
        const char* classInstance;
        const char* deviceInstance;
        bool settings;
    } cases[] = {
        {"empty registry", [] {}, "0000", "0000", false},
        {"empty class key", [] { AddKey(CLASS_ROOT); }, "0000", "0000", false},
        {"five class entries, no device key", [] { AddInstances(CLASS_ROOT, 0, 4); }, "0005", "0000", false},
        {"one gap",
         [] {
             AddInstances(CLASS_ROOT, 0, 0);
             AddInstances(CLASS_ROOT, 2, 2);
             AddInstances(DEVICE_ROOT, 0, 0);
         },
         "0001", "0001", false},
        {"ten taken names",
         [] {
             AddInstances(CLASS_ROOT, 0, 9);
             AddInstances(DEVICE_ROOT, 0, 1);
         },
         "0010", "0002", false},
        {"taken names among more than a hundred subkeys",
         [] {
             // Sixty names that enumerate before the digits.
             for (int i = 0; i < 60; ++i)
                 AddKey(CLASS_ROOT + "\\!" + std::to_string(100 + i));
             AddInstances(CLASS_ROOT, 0, 49);
         },
         "0050", "0000", false},
        {"display settings with other values", AddDisplaySettings, "0000", "0000", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectRun(c.setUp, RestoreVgaDisplayConfig,
                  RegistrationWrites(VGA, c.classInstance, c.deviceInstance) +
                      (c.settings ? SettingsWrites(VGA) : std::vector<RecordedWrite>()),
                  RegistrationKeys(VGA, c.classInstance), VGA);
    }
}

// A second driver run finds the standard display registered: another
// adapter on the same ports would conflict with it. One whose class entry
// is gone is no registration.
TEST_F(DisplayRestore, RunningTwiceRegistersTheDisplayOnce)
{
    ExpectRun(AddDisplaySettings,
              [] {
                  RestoreVgaDisplayConfig();
                  RestoreVgaDisplayConfig();
              },
              RegistrationWrites(VGA, "0000", "0000") + SettingsWrites(VGA) + SettingsWrites(VGA),
              RegistrationKeys(VGA, "0000"), VGA);
    ExpectRun(
        [] {
            RestoreVgaDisplayConfig();
            testreg::DeleteTree(HKEY_LOCAL_MACHINE, (CLASS_ROOT + "\\0000").c_str());
        },
        [] {
            RestoreVgaDisplayConfig();
            EXPECT_TRUE(IsRootDisplayClass("0000"));
            EXPECT_FALSE(IsRootDisplayClass("0001"));
        },
        RegistrationWrites(VGA, "0000", "0001"), RegistrationKeys(VGA, "0000"), VGA);
}

TEST_F(DisplayRestore, WithAllHundredNamesTakenNothingIsRegisteredButTheSettingsAndSystemIni)
{
    const std::function<void()> full[] = {
        [] { AddInstances(CLASS_ROOT, 0, 99); },
        [] { AddInstances(DEVICE_ROOT, 0, 99); },
    };
    for (const std::function<void()>& setUp : full) {
        SCOPED_TRACE(&setUp == &full[0] ? "class names" : "device names");
        ExpectRun([&] { setUp(), AddDisplaySettings(); }, RestoreVgaDisplayConfig, SettingsWrites(VGA), {},
                  VGA);
    }
}

TEST_F(DisplayRestore, Pc98WithoutBiosDisplayRegistersThe9821StandardDisplay)
{
    struct Case {
        const char* what;
        std::function<void()> setUp;
    } cases[] = {
        {"no Enum\\BIOS", [] {}},
        {"no display among the BIOS devices",
         [] {
             AddBiosInstance("*PNP0A00", "00", REG_SZ, "System");
             AddBiosInstance("*PNP0A00", "01", REG_SZ, "DISPLAY2");
             AddKey(BIOS + "\\*PNP0B00\\00");  // no Class at all
         }},
        {"a display on the 101st bus",
         [] {
             for (int i = 0; i < 100; ++i)
                 AddKey(BIOS + "\\B" + std::to_string(100 + i));
             AddBiosInstance("C000", "00", REG_SZ, "DISPLAY");
         }},
        {"a display as the 101st instance",
         [] {
             for (int i = 0; i < 100; ++i)
                 AddKey(BIOS + "\\B000\\I" + std::to_string(100 + i));
             AddBiosInstance("B000", "J000", REG_SZ, "DISPLAY");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectRun([&] { c.setUp(), AddInstances(CLASS_ROOT, 0, 0), AddDisplaySettings(); },
                  RestorePc98DisplayConfig,
                  RegistrationWrites(PC98, "0001", "0000") + SettingsWrites(PC98),
                  RegistrationKeys(PC98, "0001"), PC98);
    }
}

std::vector<RecordedWrite> EnabledBiosDevices(const std::vector<std::string>& devices)
{
    std::vector<RecordedWrite> writes;
    for (const std::string& device : devices)
        writes.push_back(Write("Config\\0001\\Enum\\BIOS\\" + device, "CSConfigFlags", REG_BINARY, NO_FLAGS));
    return writes;
}

TEST_F(DisplayRestore, Pc98BiosDisplaysAreEnabledInsteadOfRegisteringOne)
{
    struct Case {
        const char* what;
        std::function<void()> setUp;
        std::vector<std::string> enabled;
    } cases[] = {
        {"one display", [] { AddBiosInstance("*PNP0900", "00", REG_SZ, "DISPLAY"); }, {"*PNP0900\\00"}},
        {"a class text in other letter case", [] { AddBiosInstance("*PNP0900", "00", REG_SZ, "Display"); },
         {"*PNP0900\\00"}},
        {"two on one bus",
         [] {
             AddBiosInstance("*nEC1902", "00", REG_SZ, "DISPLAY");
             AddBiosInstance("*nEC1902", "01", REG_SZ, "System");
             AddBiosInstance("*nEC1902", "02", REG_SZ, "display");
         },
         {"*nEC1902\\00", "*nEC1902\\02"}},
        {"two on two buses",
         [] {
             AddBiosInstance("*PNP0900", "00", REG_SZ, "DISPLAY");
             AddBiosInstance("*PNP0A00", "00", REG_SZ, "System");
             AddBiosInstance("*PNP0B00", "07", REG_SZ, "DISPLAY");
         },
         {"*PNP0900\\00", "*PNP0B00\\07"}},
        {"a display on the 100th bus and as the 100th instance",
         [] {
             for (int i = 0; i < 99; ++i)
                 AddKey(BIOS + "\\B" + std::to_string(100 + i));
             for (int i = 0; i < 99; ++i)
                 AddKey(BIOS + "\\C000\\I" + std::to_string(100 + i));
             AddBiosInstance("C000", "J000", REG_SZ, "DISPLAY");
         },
         {"C000\\J000"}},
        {"odd Class values beside a display",
         [] {
             AddBiosInstance("B", "00", REG_DWORD, std::string("\1\0\0\0", 4));
             AddBiosInstance("B", "01", REG_SZ, std::string(300, 'D'));       // does not fit
             AddBiosInstance("B", "02", REG_BINARY, "DISPLAY");                // no terminator
             AddBiosInstance("B", "03", REG_BINARY, std::string(254, 'D'));    // fills the buffer
             AddBiosInstance("B", "04", REG_SZ, "");
         },
         {"B\\02"}},
        {"a bus name too long for the scan's buffer before a display",
         [] {
             // Created below its parent: as a path it would be too long.
             AddKey(BIOS);
             HKEY bios, bus;
             RegOpenKeyA(HKEY_LOCAL_MACHINE, BIOS.c_str(), &bios);
             EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyA(bios, std::string(255, 'A').c_str(), &bus));
             RegCloseKey(bus);
             RegCloseKey(bios);
             AddBiosInstance("B", "00", REG_SZ, "DISPLAY");
         },
         {"B\\00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectRun([&] { c.setUp(), AddDisplaySettings(); }, RestorePc98DisplayConfig,
                  EnabledBiosDevices(c.enabled) + SettingsWrites(PC98), {}, PC98);
    }
}

TEST_F(DisplayRestore, SystemIniKeepsEveryOtherSectionAndKeyByteForByte)
{
    // Wine writes the whole file back in its own layout (no blank lines, no
    // blanks around "="); a file already in that layout shows that nothing
    // but display.drv changes.
    const std::string head = "[boot]\r\nshell=Explorer.exe\r\ndisplay.drv=pc98.drv\r\n"
                             "[boot.description]\r\nkeyboard.typ=106 ｷｰﾎﾞｰﾄﾞ\r\n";
    const std::string lastKey = "aspect=100,96,96\r\n";
    const std::string tail = "[386Enh]\r\ndisplay=*vdd\r\n";
    const std::string named = "display.drv=ｽﾀﾝﾀﾞｰﾄﾞ ﾃﾞｨｽﾌﾟﾚｲ ｱﾀﾞﾌﾟﾀ (VGA)\r\n";
    struct Case {
        const char* what;
        std::string before, after;
    } cases[] = {
        {"key present", head + "display.drv=NORIX\r\n" + lastKey + tail, head + named + lastKey + tail},
        {"key absent", head + lastKey + tail, head + lastKey + named + tail},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(systemIni_, c.before);
        testreg::ScratchRegistry registry;
        RestoreVgaDisplayConfig();
        std::string after;
        ASSERT_TRUE(ReadFile(systemIni_, &after));
        EXPECT_EQ(c.after, after);
    }
}

// SYSTEM.INI as the profile functions read it: each section and its lines.
std::vector<std::string> ProfileLines()
{
    std::vector<std::string> lines;
    char sections[4096], keys[4096];
    GetPrivateProfileSectionNamesA(sections, sizeof(sections), "SYSTEM.INI");
    for (const char* section = sections; *section; section += lstrlenA(section) + 1) {
        lines.push_back(std::string("[") + section + "]");
        GetPrivateProfileSectionA(section, keys, sizeof(keys), "SYSTEM.INI");
        for (const char* line = keys; *line; line += lstrlenA(line) + 1)
            lines.push_back(line);
    }
    return lines;
}

TEST_F(DisplayRestore, SystemIniInTheWindows95LayoutKeepsEveryOtherSectionAndKey)
{
    // Blank lines and blanks around "=" do not survive Wine's rewrite, so
    // only what the profile functions read can be compared here.
    WriteFile(systemIni_, "[boot]\r\nshell = Explorer.exe\r\n\r\n[boot.description]\r\n"
                          "display.drv = NORIX\r\nmouse.drv = 標準ﾏｳｽ\r\n\r\n[386Enh]\r\n"
                          "device=*vdd\r\n");
    std::vector<std::string> expected = ProfileLines();
    ASSERT_EQ("display.drv=NORIX", expected.at(3));
    expected[3] = "display.drv=ｽﾀﾝﾀﾞｰﾄﾞ ﾃﾞｨｽﾌﾟﾚｲ ｱﾀﾞﾌﾟﾀ (9821 ｼﾘｰｽﾞ)";
    testreg::ScratchRegistry registry;
    RestorePc98DisplayConfig();
    EXPECT_EQ(expected, ProfileLines());
}

}  // namespace
