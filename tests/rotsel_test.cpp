// ROTSEL in-process as Windows 98 (the fixture runs it on a scratch
// registry and the simulated LCD panel while a thread plays the user).
#include "rotsel_fixture.h"

namespace {

struct PresetCase {
    const char* name;
    std::string direction;  // stored as REG_BINARY, exactly these bytes; "-" for none
    std::vector<std::pair<const char*, DWORD>> panel;
    bool checked, usable;  // usable: enabled, and static 1008 hidden
};

TEST_F(Rotsel98, CheckBoxFollowsDirectionAndThePanel)
{
    using namespace std::string_literals;
    const PresetCase cases[] = {
        {"ON", "ON\0"s, {}, true, true},
        {"on, unterminated", "on", {}, true, true},
        {"OFF", "OFF\0"s, {}, false, true},
        {"no value", "-", {}, false, true},
        {"ON and a blank", "ON \0"s, {}, false, true},
        {"ON and more text within 8 bytes", "ON\0ABCDE"s, {}, true, true},
        {"longer than 7 characters", "ON\0ABCDEF"s, {}, false, true},
        {"eight letters, unterminated", "ONONONON", {}, false, true},
        {"no panel", "ON\0"s, {{"caps", 0x02}}, false, false},
        {"state query fails", "ON\0"s, {{"failQuery", 1}}, false, false},
        {"no escape", "ON\0"s, {{"present", 0}, {"caps", 0}}, true, true},
        {"escape older than 0x100", "ON\0"s, {{"version", 0xFF}, {"caps", 0}}, true, true},
        {"version query fails", "ON\0"s, {{"failVersion", 1}, {"caps", 0}}, true, true},
    };
    for (const PresetCase& c : cases) {
        SCOPED_TRACE(c.name);
        testreg::DeleteTree(HKEY_CURRENT_USER, lcdreg::PANEL_KEY);
        testreg::DeleteTree(HKEY_CURRENT_USER, lcdreg::DIRECTION_KEY);
        if (c.direction != "-")
            testreg::Write(HKEY_CURRENT_USER, lcdreg::DIRECTION_KEY, "", REG_BINARY, c.direction.data(),
                           (DWORD)c.direction.size());
        for (const auto& value : c.panel)
            Panel(value.first, value.second);
        EXPECT_EQ(0, Run([&](HWND dialog) {
            EXPECT_EQ(c.checked, IsDlgButtonChecked(dialog, CHECK_BOX) == BST_CHECKED);
            EXPECT_EQ(c.usable, IsWindowEnabled(GetDlgItem(dialog, CHECK_BOX)) != FALSE);
            EXPECT_EQ(!c.usable, IsWindowVisible(GetDlgItem(dialog, NO_PANEL_TEXT)) != FALSE);
        }));
    }
    EXPECT_EQ("", RestartLog());
}

std::vector<BYTE> Bytes(const std::string& bytes)
{
    return std::vector<BYTE>(bytes.begin(), bytes.end());
}

TEST_F(Rotsel98, TickedRestartWritesStatusAndDirectionThenTheDriverThenRestarts)
{
    using namespace std::string_literals;
    std::vector<testreg::RecordedWrite> made;
    {
        testreg::WriteRecorder writes;
        recorder = &writes;
        EXPECT_EQ(0, Run([](HWND dialog) {
            SendMessageA(GetDlgItem(dialog, CHECK_BOX), BM_CLICK, 0, 0);
            driver::PostCommand(dialog, IDOK);
        }));
        recorder = NULL;
        made = writes.writes();
    }
    const std::vector<testreg::RecordedWrite> expected = {
        {"HKLM\\System\\CurrentControlSet\\Services\\Class\\DISPLAY\\0001\\UTILITY", "LCDStatus",
         REG_DWORD, Bytes("\x81\0\0\0"s)},
        {"HKCU\\Software\\NORIX\\NRXLCD\\Direction", "", REG_SZ, Bytes("ON")},
        {"HKLM\\System\\CurrentControlSet\\Services\\Class\\DISPLAY\\0001\\DEFAULT", "drv", REG_SZ,
         Bytes("NRXLCD.DRV\0"s)},
    };
    EXPECT_EQ(expected, made);
    EXPECT_EQ(3u, writesBeforeRestart);
    EXPECT_EQ("RestartWindows\r\n", RestartLog());
    EXPECT_TRUE(exitCalls.empty());
    EXPECT_FALSE(GetModuleHandleA("NRXCHG32.DLL")) << "the library is freed";
}

TEST_F(Rotsel98, FailedWriteCreatesNothingAndTheRestartFollows)
{
    // Without its "DEFAULT" key the adapter counts as running the standard driver.
    testreg::DeleteTree(HKEY_LOCAL_MACHINE, DEFAULT_KEY);
    EXPECT_EQ(0, Run([](HWND dialog) { driver::PostCommand(dialog, IDOK); }));
    EXPECT_FALSE(testreg::KeyExists(HKEY_LOCAL_MACHINE, DEFAULT_KEY));
    EXPECT_EQ("OFF", testreg::Read(HKEY_CURRENT_USER, lcdreg::DIRECTION_KEY, "").text());
    EXPECT_EQ("RestartWindows\r\n", RestartLog());
}

struct BindingCase {
    const char* name;
    std::string library;  // "" for the test double beside this executable
    bool throughLibrary;
};

TEST_F(Rotsel98, RestartFallsBackToTheSystemWithoutTheLibraryOrItsExport)
{
    const BindingCase cases[] = {
        {"the library", "", true},
        {"no library", WINE_BUILD_DIR "\\tests\\no_such_folder\\NRXCHG32.DLL", false},
        {"no RestartWindows", WINE_BUILD_DIR "\\tests\\without_restart\\NRXCHG32.DLL", false},
    };
    for (const BindingCase& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileA(RESTART_LOG);
        exitCalls.clear();
        libraryPath = c.library;
        RestartWindowsNow();
        EXPECT_EQ(c.throughLibrary ? "RestartWindows\r\n" : "", RestartLog());
        ASSERT_EQ(c.throughLibrary ? 0u : 1u, exitCalls.size());
        if (!c.throughLibrary) {
            EXPECT_EQ(0x42u, exitCalls[0].flags);
            EXPECT_EQ(0u, exitCalls[0].reserved);
        }
        EXPECT_FALSE(GetModuleHandleA("NRXCHG32.DLL")) << "the library is freed";
    }
}

// The end-to-end tests read each failure's message and owner; which icon a
// box shows can only be told in the program's own process.
TEST_F(Rotsel98, FailedCheckShowsTheErrorIcon)
{
    testreg::DeleteTree(HKEY_CURRENT_USER, lcdreg::DRIVER_NAME_KEY);
    boxes.Queue(IDOK);
    EXPECT_EQ(0, RunRotsel(GetModuleHandleA(NULL)));
    ASSERT_EQ(1u, boxes.Seen().size());
    EXPECT_EQ(LoadIconA(NULL, IDI_HAND), boxes.Seen()[0].icon);
}

TEST_F(Rotsel98, AboutBoxFromTheSystemMenu)
{
    boxes.Queue(driver::HOLD);
    Run([](HWND dialog) {
        HMENU menu = GetSystemMenu(dialog, FALSE);
        int last = GetMenuItemCount(menu) - 1;
        ASSERT_GT(last, 0);
        EXPECT_TRUE(GetMenuState(menu, last - 1, MF_BYPOSITION) & MF_SEPARATOR);
        char label[64] = "";
        GetMenuStringA(menu, last, label, sizeof(label), MF_BYPOSITION);
        EXPECT_STREQ("ﾊﾞｰｼﾞｮﾝ情報(&A)...", label);
        PostMessageA(dialog, WM_SYSCOMMAND, GetMenuItemID(menu, last), 0);
        HWND about = driver::WaitForDialog(GetCurrentProcessId(), "ﾊﾞｰｼﾞｮﾝ情報");
        ASSERT_TRUE(about);
        EXPECT_EQ(dialog, GetWindow(about, GW_OWNER));
        EXPECT_EQ(TITLE, driver::ControlText(about, 1003));
        EXPECT_EQ("Ver 1.00", driver::ControlText(about, 1004));
        EXPECT_EQ("Copyright (C) 1998 NORIX Co.,Ltd.", driver::ControlText(about, 1005));
        // Centred, as the dialogs are.
        RECT r;
        GetWindowRect(about, &r);
        EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2, r.left);
        EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2, r.top);
        driver::PostCommand(about, IDOK);
        EXPECT_TRUE(driver::WaitUntilGone(about));
        EXPECT_TRUE(IsWindow(dialog));
    });
    EXPECT_EQ("", RestartLog());
}

}  // namespace
