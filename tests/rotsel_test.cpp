// ROTSEL in-process as Windows 98, on a scratch registry laid out as a
// machine with the vendor's adapter and the standard driver loaded, and on
// the simulated LCD panel. Dialogs run modally on the test thread while
// another thread plays the user. ExitWindowsEx is never called for real:
// every test replaces this executable's import of it.
#include "box_answerer.h"
#include "driver.h"
#include "import_hook.h"
#include "lcd_registry_layout.h"
#include "registry_tree.h"
#include "restart_now.h"
#include "scratch_files.h"
#include "startup.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

const char TITLE[] = "LCDﾄﾞﾗｲﾊﾞの切り替え";
const char RESTART_LOG[] = WINE_BUILD_DIR "\\tests\\rotsel_unit.log";
const char DEFAULT_KEY[] = "System\\CurrentControlSet\\Services\\Class\\DISPLAY\\0001\\DEFAULT";
const int CHECK_BOX = 1000;
const int NO_PANEL_TEXT = 1008;

struct ExitCall {
    UINT flags;
    DWORD reserved;
};
std::vector<ExitCall> exitCalls;

BOOL WINAPI RecordExitWindowsEx(UINT flags, DWORD reserved)
{
    exitCalls.push_back({flags, reserved});
    return TRUE;
}

typedef HMODULE(WINAPI* LoadLibraryAFunction)(LPCSTR);
LoadLibraryAFunction realLoadLibraryA = NULL;
// Where NRXCHG32.DLL is loaded from; empty: where the system finds it (the
// test double beside this executable).
std::string libraryPath;
// How many registry writes had been made when NRXCHG32.DLL was loaded.
size_t writesBeforeRestart;
const testreg::WriteRecorder* recorder = NULL;

HMODULE WINAPI RedirectLoadLibraryA(LPCSTR name)
{
    if (lstrcmpiA(name, "NRXCHG32.DLL") == 0) {
        writesBeforeRestart = recorder ? recorder->writes().size() : 0;
        if (!libraryPath.empty())
            name = libraryPath.c_str();
    }
    return realLoadLibraryA(name);
}

class Rotsel98 : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(exitHook.installed());
        ASSERT_TRUE(loadHook.installed());
        realLoadLibraryA = loadHook.original<LoadLibraryAFunction>();
        exitCalls.clear();
        libraryPath.clear();
        writesBeforeRestart = 0;
        lcdreg::PortraitInstallation();
        lcdreg::AddDriver("DISPLAY\\0001", "VGA.DRV");
        DeleteFileA(RESTART_LOG);
        SetEnvironmentVariableA("NRXCHG32_LOG", RESTART_LOG);
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("NRXCHG32_LOG", NULL);
        DeleteFileA(RESTART_LOG);
    }
    // Runs the program while `play` acts on its dialog once it shows; a
    // dialog left open is cancelled. The exit code.
    int Run(std::function<void(HWND)> play)
    {
        boxes.Queue(driver::HOLD);
        std::thread player([&] {
            HWND dialog = driver::WaitForDialog(GetCurrentProcessId(), TITLE);
            ASSERT_TRUE(dialog);
            ASSERT_TRUE(driver::WaitFor([&] { return IsWindowVisible(dialog) != FALSE; }));
            play(dialog);
            if (IsWindow(dialog))
                driver::PostCommand(dialog, IDCANCEL);
        });
        int code = RunRotsel(GetModuleHandleA(NULL));
        player.join();
        return code;
    }
    void Panel(const char* name, DWORD value)
    {
        testreg::WriteDword(HKEY_CURRENT_USER, lcdreg::PANEL_KEY, name, value);
    }
    std::string RestartLog() { return testfiles::Read(RESTART_LOG); }
    testreg::ScratchRegistry registry;
    driver::BoxAnswerer boxes;
    testbed::ImportHook exitHook{"USER32.dll", "ExitWindowsEx", (void*)RecordExitWindowsEx};
    testbed::ImportHook loadHook{"KERNEL32.dll", "LoadLibraryA", (void*)RedirectLoadLibraryA};
};

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
