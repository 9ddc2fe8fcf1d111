// The vendor device identification on a real (scratch) registry laid out as
// Windows 98 keeps it.
#include "lcd_helpers.h"
#include "lcd_registry_layout.h"
#include "vendor_identification.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using lcdreg::Device;

class Identification : public ::testing::Test {
protected:
    // The driver key routine 1 finds, "" for none.
    std::string FoundDriver()
    {
        char driverKey[DRIVER_KEY_SIZE] = "junk";
        if (!FindVendorDisplayDriver(driverKey, sizeof(driverKey)))
            return "";
        return driverKey;
    }
    // Whose "UTILITY" key the settings key is (by a marker there), "" for none.
    std::string SettingsKeyOwner()
    {
        HKEY key = OpenPanelSettingsKey();
        // It is writable, as the toggle needs.
        DWORD probe = 1;
        if (key)
            EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "probe", 0, REG_DWORD, (BYTE*)&probe, 4));
        return lcdreg::OwnerOf(key);
    }
    // Empties the scratch roots between the cases of a table.
    void Clear()
    {
        testreg::DeleteTree(HKEY_DYN_DATA, "Config Manager");
        testreg::DeleteTree(HKEY_LOCAL_MACHINE, "Enum");
        testreg::DeleteTree(HKEY_LOCAL_MACHINE, "System");
    }
    void AddMarkedDevice(const Device& device)
    {
        lcdreg::AddDevice(device);
        testreg::WriteString(HKEY_LOCAL_MACHINE, lcdreg::UtilityKey(device.driver).c_str(), "owner",
                             device.driver);
    }
    testreg::ScratchRegistry registry;
};

Device Pci(const std::string& node, const std::string& name, const std::string& driver)
{
    Device device;
    device.node = node;
    device.hardwareKey = "PCI\\" + name + "\\BUS_00&DEV_0D&FUNC_00";
    device.driver = driver;
    return device;
}

struct DeviceCase {
    const char* name;
    const char* deviceClass;
    const char* manufacturer;
    bool foundByRoutine1;
    bool foundByPciWalk;
};

TEST_F(Identification, ClassAndManufacturerRules)
{
    const DeviceCase cases[] = {
        {"half-width vendor", "DISPLAY", "ﾉﾘｯｸｽ", true, true},
        {"full-width vendor", "DISPLAY", "ノリックス", true, true},
        {"vendor and a blank", "DISPLAY", "ﾉﾘｯｸｽ ", false, false},
        {"class Display", "Display", "ﾉﾘｯｸｽ", true, true},
        {"class display", "display", "ﾉﾘｯｸｽ", true, false},
        {"class MEDIA", "MEDIA", "ﾉﾘｯｸｽ", false, false},
    };
    for (const DeviceCase& c : cases) {
        SCOPED_TRACE(c.name);
        Clear();
        Device device = Pci("0001", "VEN_10F0&DEV_0104", "DISPLAY\\0003");
        device.deviceClass = c.deviceClass;
        device.manufacturer = c.manufacturer;
        AddMarkedDevice(device);
        EXPECT_EQ(c.foundByRoutine1 ? "DISPLAY\\0003" : "", FoundDriver());
        EXPECT_EQ(c.foundByPciWalk ? "DISPLAY\\0003" : "", SettingsKeyOwner());
    }
}

TEST_F(Identification, RoutineOneTakesNodeOrderThePciWalkBusOrder)
{
    // Nodes sort 0001, 0002; PCI devices VEN_1 before VEN_2.
    AddMarkedDevice(Pci("0001", "VEN_2", "DISPLAY\\0002"));
    AddMarkedDevice(Pci("0002", "VEN_1", "DISPLAY\\0001"));
    EXPECT_EQ("DISPLAY\\0002", FoundDriver());
    EXPECT_EQ("DISPLAY\\0001", SettingsKeyOwner());
}

TEST_F(Identification, PciWalkSkipsADeviceThatIsNotConfigured)
{
    AddMarkedDevice(Pci("", "VEN_1", "DISPLAY\\0001"));
    AddMarkedDevice(Pci("0001", "VEN_2", "DISPLAY\\0002"));
    EXPECT_EQ("DISPLAY\\0002", SettingsKeyOwner());
    // A configured device whose class key has no "UTILITY" gives none either.
    testreg::DeleteTree(HKEY_LOCAL_MACHINE, lcdreg::UtilityKey("DISPLAY\\0002").c_str());
    EXPECT_EQ("", SettingsKeyOwner());
}

TEST_F(Identification, UnterminatedAndOversizeValues)
{
    Device device = Pci("0001", "VEN_1", "DISPLAY\\0001");
    AddMarkedDevice(device);
    std::string key = "Enum\\" + device.hardwareKey;
    // Texts stored without their terminator are read as the texts they are.
    testreg::Write(HKEY_LOCAL_MACHINE, key.c_str(), "Mfg", REG_BINARY, "ﾉﾘｯｸｽ", 5);
    testreg::Write(HKEY_LOCAL_MACHINE, key.c_str(), "Class", REG_BINARY, "DISPLAY", 7);
    EXPECT_EQ("DISPLAY\\0001", FoundDriver());
    EXPECT_EQ("DISPLAY\\0001", SettingsKeyOwner());
    // A driver key filling the 64-byte buffer with no room for the terminator does not fit.
    std::string driver(64, 'D');
    testreg::Write(HKEY_LOCAL_MACHINE, key.c_str(), "Driver", REG_BINARY, driver.data(), 64);
    EXPECT_EQ("", FoundDriver());
    driver.resize(63);
    testreg::WriteString(HKEY_LOCAL_MACHINE, key.c_str(), "Driver", driver);
    EXPECT_EQ(driver, FoundDriver());
}

TEST_F(Identification, OverlongNamesAreSkippedNeverTruncated)
{
    // "Enum\" + a 122-character hardware key just fits 128 bytes; one more
    // character would, truncated, name that same device.
    Device device;
    device.hardwareKey = "PCI\\" + std::string(118, 'A');
    lcdreg::AddDevice(device);
    testreg::WriteString(HKEY_DYN_DATA, "Config Manager\\Enum\\0001", "HardWareKey",
                         device.hardwareKey + "B");
    EXPECT_EQ("", FoundDriver());
    testreg::WriteString(HKEY_DYN_DATA, "Config Manager\\Enum\\0001", "HardWareKey", device.hardwareKey);
    EXPECT_EQ("DISPLAY\\0001", FoundDriver());

    // A node name too long for its path comes first and is passed over.
    Clear();
    AddMarkedDevice(Pci(std::string(200, '0'), "VEN_1", "DISPLAY\\0001"));
    AddMarkedDevice(Pci("1", "VEN_2", "DISPLAY\\0002"));
    EXPECT_EQ("DISPLAY\\0002", FoundDriver());
    // The PCI walk passes over a device name whose path does not fit 256 bytes.
    AddMarkedDevice(Pci("2", std::string(250, 'V'), "DISPLAY\\0003"));
    testreg::DeleteTree(HKEY_LOCAL_MACHINE, "Enum\\PCI\\VEN_1");
    EXPECT_EQ("DISPLAY\\0002", SettingsKeyOwner());
}

struct SwitchInfoCase {
    const char* name;
    std::vector<char> driverName;  // stored as REG_BINARY, exactly these bytes
    bool passes;
    const char* kept;
};

TEST_F(Identification, DriverNameRules)
{
    auto text = [](const char* s, bool terminated = true) {
        return std::vector<char>(s, s + lstrlenA(s) + (terminated ? 1 : 0));
    };
    const SwitchInfoCase cases[] = {
        {"lower case", text("vga.drv"), true, "VGA.DRV"},
        {"no terminator", text("Vga.Drv", false), true, "VGA.DRV"},
        {"15 characters", text("ABCDEFGHIJK.DRV"), true, "ABCDEFGHIJK.DRV"},
        {"16 characters", text("ABCDEFGHIJKL.DRV"), false, nullptr},
        {"16 without terminator", text("ABCDEFGHIJKL.DRV", false), false, nullptr},
        {".EXE", text("VGA.EXE"), false, nullptr},
        {"3 characters", text("DRV"), false, nullptr},
        // ッ is 83 62: its trail byte is 'b' and must not become 'B'.
        {"double-byte name", text("ッ.drv"), true, "ッ.DRV"},
    };
    lcdreg::AddDriver("DISPLAY\\0001", "NRXLCD.DRV");
    for (const SwitchInfoCase& c : cases) {
        SCOPED_TRACE(c.name);
        testreg::Write(HKEY_CURRENT_USER, lcdreg::DRIVER_NAME_KEY, "", REG_BINARY,
                       c.driverName.data(), (DWORD)c.driverName.size());
        char name[DRIVER_FILE_SIZE];
        bool passes = CheckSwitchInfo("DISPLAY\\0001", name, sizeof(name));
        EXPECT_EQ(c.passes, passes);
        if (passes && c.passes)
            EXPECT_EQ(std::string(c.kept), name);
    }
    testreg::DeleteTree(HKEY_CURRENT_USER, lcdreg::DRIVER_NAME_KEY);
    char name[DRIVER_FILE_SIZE];
    EXPECT_FALSE(CheckSwitchInfo("DISPLAY\\0001", name, sizeof(name)));
}

TEST_F(Identification, SwitchingFlagRules)
{
    struct FlagCase {
        const char* name;
        DWORD type;
        std::vector<BYTE> data;
        bool passes;
    };
    const FlagCase cases[] = {
        {"1", REG_DWORD, {1, 0, 0, 0}, true},
        {"0", REG_DWORD, {0, 0, 0, 0}, false},
        {"-1", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, false},
        {"two bytes", REG_BINARY, {1, 0}, false},
    };
    lcdreg::SetDriverName("VGA.DRV");
    const std::string utility = lcdreg::UtilityKey("DISPLAY\\0001");
    char name[DRIVER_FILE_SIZE];
    EXPECT_FALSE(CheckSwitchInfo("DISPLAY\\0001", name, sizeof(name))) << "no UTILITY key";
    for (const FlagCase& c : cases) {
        SCOPED_TRACE(c.name);
        testreg::Write(HKEY_LOCAL_MACHINE, utility.c_str(), "ROTSEL", c.type, c.data.data(),
                       (DWORD)c.data.size());
        EXPECT_EQ(c.passes, CheckSwitchInfo("DISPLAY\\0001", name, sizeof(name)));
    }
}

TEST_F(Identification, CurrentDriverIgnoresAsciiCase)
{
    EXPECT_FALSE(IsCurrentDisplayDriver("DISPLAY\\0001", "NRXLCD.DRV")) << "no DEFAULT key";
    lcdreg::AddDriver("DISPLAY\\0001", "nrxlcd.drv");
    EXPECT_TRUE(IsCurrentDisplayDriver("DISPLAY\\0001", "NRXLCD.DRV"));
    lcdreg::AddDriver("DISPLAY\\0001", "VGA.DRV");
    EXPECT_FALSE(IsCurrentDisplayDriver("DISPLAY\\0001", "NRXLCD.DRV"));
}

// Driver file names are compared with ASCII case ignored; a double-byte
// character is compared whole, even when its second byte is a letter or "\\".
TEST(DriverNames, DoubleByteCharactersComparedWhole)
{
    EXPECT_TRUE(SameIgnoringAsciiCase("\x83\x5C" "drv", "\x83\x5C" "DRV"));
    EXPECT_FALSE(SameIgnoringAsciiCase("\x83\x5C", "\x83\x7C"));
    EXPECT_FALSE(SameIgnoringAsciiCase("\x83\x41", "\x82\x41"));
}

}  // namespace
