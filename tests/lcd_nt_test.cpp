// The LCD programs' Windows NT branches in-process (this program runs its
// tests with the NT version): the settings key from the video device map,
// the exact mode search, and no "Direction".
#include "panel_fixture.h"
#include "vendor_identification.h"

namespace {

const char VIDEO_MAP[] = "HARDWARE\\DEVICEMAP\\VIDEO";
const char SERVICES[] = "System\\CurrentControlSet\\Services\\";

class WindowsNt : public PanelFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(IsWindowsNtForTest());
        PanelFixture::SetUp();
        MapVideoDevice("\\Registry\\Machine\\System\\ControlSet001\\Services\\abc\\Device0");
        testreg::WriteString(HKEY_LOCAL_MACHINE, (std::string(SERVICES) + "abc\\Device0").c_str(),
                             "owner", "abc");
    }
    static bool IsWindowsNtForTest()
    {
        OSVERSIONINFOA version = {};
        version.dwOSVersionInfoSize = sizeof(version);
        GetVersionExA(&version);
        return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    }
    void MapVideoDevice(const std::string& kernelPath)
    {
        testreg::Write(HKEY_LOCAL_MACHINE, VIDEO_MAP, "\\Device\\Video0", REG_SZ, kernelPath.c_str(),
                       (DWORD)kernelPath.size() + 1);
    }
    std::string SettingsKeyOwner() { return lcdreg::OwnerOf(OpenPanelSettingsKey()); }
};

TEST_F(WindowsNt, SettingsKeyFollowsTheVideoDeviceMap)
{
    struct MapCase {
        const char* name;
        const char* kernelPath;
        const char* owner;
    };
    testreg::WriteString(HKEY_LOCAL_MACHINE, (std::string(SERVICES) + "ソ\\Device0").c_str(), "owner",
                         "ソ");
    const MapCase cases[] = {
        {"control set 001", "\\Registry\\Machine\\System\\ControlSet001\\Services\\abc\\Device0", "abc"},
        {"upper case", "\\REGISTRY\\MACHINE\\SYSTEM\\CURRENTCONTROLSET\\SERVICES\\ABC\\DEVICE0", "abc"},
        // ソ is 83 5C: its trail byte is no backslash.
        {"double-byte set name", "\\Registry\\Machine\\System\\ControlSet001\\ソ\\abc\\Device0", "abc"},
        {"double-byte service", "\\Registry\\Machine\\System\\ControlSet001\\Services\\ソ\\Device0", "ソ"},
        {"five backslashes", "\\Registry\\Machine\\System\\ControlSet001\\Services", ""},
        {"ends after the sixth", "\\Registry\\Machine\\System\\ControlSet001\\Services\\", ""},
        {"no such service", "\\Registry\\Machine\\System\\ControlSet001\\Services\\xyz\\Device0", ""},
    };
    for (const MapCase& c : cases) {
        SCOPED_TRACE(c.name);
        MapVideoDevice(c.kernelPath);
        EXPECT_EQ(c.owner, SettingsKeyOwner());
    }
    testreg::DeleteTree(HKEY_LOCAL_MACHINE, VIDEO_MAP);
    EXPECT_EQ("", SettingsKeyOwner());
}

TEST_F(WindowsNt, ModesMatchExactly)
{
    RunModeCases({
        {"refresh as listed", 0x01, 32, 60, {{800, 600, 32, 0}, {800, 600, 32, 60}}, 1},
        {"15 bits as listed", 0x01, 15, 60, {{800, 600, 16, 0}, {800, 600, 16, 60}, {800, 600, 15, 60}}, 2},
        {"no 15-bit mode", 0x01, 15, 60, {{800, 600, 16, 60}}, -1},
    });
}

TEST_F(WindowsNt, DirectionIsNeverWritten)
{
    List({{1024, 768, 32, 60}, {800, 600, 32, 60}});
    TogglePanelOrientation(NULL);
    EXPECT_EQ(0x81u, lcdreg::DwordOf(testreg::Read(HKEY_LOCAL_MACHINE,
                                                   (std::string(SERVICES) + "abc\\Device0").c_str(),
                                                   "LCDStatus")));
    TogglePanelOrientation(NULL);
    EXPECT_EQ(0x01u, Stored());
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, lcdreg::NRXLCD_KEY));
}

}  // namespace
