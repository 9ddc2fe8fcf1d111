// The tool window created in-process on the simulated adapter: placement,
// toolbar, hotkey windows, hiding, display changes and shutdown.
#include "in_process_fixture.h"
#include "driver.h"
#include "hotkey_window.h"
#include "import_hook.h"
#include "resource.h"
#include "texts.h"
#include "tool_window.h"
#include "tray.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <thread>
#include <vector>

namespace {

const char KEY[] = "Software\\NORIX\\Resolva";

class ShellTest : public InProcessProgram {
protected:
    void SetUp() override
    {
        InProcessProgram::SetUp();
        simulated::AddMode(640, 480, 32);
        simulated::AddMode(800, 600, 32);
        simulated::AddMode(1024, 768, 32);
        simulated::AddMode(1280, 1024, 16);
        ASSERT_EQ(4, BuildModeList());
    }
    HWND Create() { return CreateStoredToolWindow(); }
    RECT WindowRect()
    {
        RECT r;
        GetWindowRect(Shell.toolWindow, &r);
        return r;
    }
    int CycleButtonState()
    {
        return (int)SendMessageA(Shell.toolbar, TB_GETSTATE, IDM_CYCLE, 0);
    }
};

TEST_F(ShellTest, FirstStartPutsTheWindowInTheTopRightCornerSizedToTheToolbar)
{
    HWND window = Create();
    ASSERT_TRUE(window);
    EXPECT_EQ(window, Shell.toolWindow);
    RECT r = WindowRect();
    EXPECT_EQ(1024, r.right);  // created 1 pixel wide at the right edge, pulled inside
    EXPECT_EQ(0, r.top);
    RECT button;
    SendMessageA(Shell.toolbar, TB_GETITEMRECT, 1, (LPARAM)&button);
    EXPECT_EQ(button.right + 2 * GetSystemMetrics(SM_CXFRAME), r.right - r.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSMCAPTION) + 28, r.bottom - r.top);
    EXPECT_EQ(2, (int)SendMessageA(Shell.toolbar, TB_BUTTONCOUNT, 0, 0));
    EXPECT_EQ(IDC_TOOLBAR, GetDlgCtrlID(Shell.toolbar));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    char title[32];
    GetWindowTextA(window, title, sizeof(title));
    EXPECT_STREQ("ﾉﾘｯｸｽ", title);
}

TEST_F(ShellTest, AnyStoredRectangleGivesTheToolbarSizedWindowWhollyOnTheScreen)
{
    struct Case {
        LONG rect[4];
        int left, top;  // -1: at the right or bottom edge
    } const cases[] = {
        {{100, 200, 70, 50}, 100, 200},
        {{5000, 5000, 10, 10}, -1, -1},
        {{-32000, -32000, 160, 24}, 0, 0},  // a minimised window's, as once stored
        {{-5, 700, 0, 0}, 0, 700},
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 0, 0},
        {{INT_MAX, INT_MAX, INT_MIN, -1}, -1, -1},
        {{1000, -3, INT_MAX, 1}, 0, 0},  // as wide as the screen at first
    };
    for (const Case& c : cases) {
        testreg::Write(HKEY_CURRENT_USER, KEY, "DefaultPosition", REG_BINARY, c.rect, sizeof(c.rect));
        ASSERT_TRUE(Create());
        RECT r = WindowRect();
        SCOPED_TRACE(std::to_string(c.rect[0]) + "," + std::to_string(c.rect[1]) + "," +
                     std::to_string(c.rect[2]) + "," + std::to_string(c.rect[3]));
        RECT button;
        SendMessageA(Shell.toolbar, TB_GETITEMRECT, 1, (LPARAM)&button);
        EXPECT_EQ(button.right + 2 * GetSystemMetrics(SM_CXFRAME), r.right - r.left);
        EXPECT_EQ(GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSMCAPTION) + 28, r.bottom - r.top);
        EXPECT_EQ(c.left < 0 ? 1024 - (r.right - r.left) : c.left, r.left);
        EXPECT_EQ(c.top < 0 ? 768 - (r.bottom - r.top) : c.top, r.top);
        DestroyWindow(Shell.toolWindow);
    }
}

TEST_F(ShellTest, MinimisedTheWindowKeepsItsRestoredPlaceOnScreenAndStoresIt)
{
    const LONG rect[4] = {900, 600, 70, 50};
    testreg::Write(HKEY_CURRENT_USER, KEY, "DefaultPosition", REG_BINARY, rect, sizeof(rect));
    HWND window = Create();
    ASSERT_TRUE(window);
    ShowToolWindow(window, stored, SW_SHOWMINIMIZED);  // a start command to minimise: not obeyed
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsIconic(window));
    RECT normal = WindowRect();
    int width = normal.right - normal.left;
    int height = normal.bottom - normal.top;

    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window));
    simulated::TheAdapter().screenWidth = 800;
    simulated::TheAdapter().screenHeight = 600;
    SendMessageA(window, WM_DISPLAYCHANGE, 32, MAKELPARAM(800, 600));
    EXPECT_TRUE(IsIconic(window));
    EXPECT_TRUE(IsWindowVisible(window));
    DestroyWindow(window);

    testreg::Value position = testreg::Read(HKEY_CURRENT_USER, KEY, "DefaultPosition");
    ASSERT_EQ(16u, position.data.size());
    const LONG* place = (const LONG*)position.data.data();
    EXPECT_EQ(800 - width, place[0]);  // the restored place, pulled inside the smaller screen
    EXPECT_EQ(600 - height, place[1]);
    EXPECT_EQ(width, place[2]);
    EXPECT_EQ(height, place[3]);
    EXPECT_EQ(0, testreg::Read(HKEY_CURRENT_USER, KEY, "DefaultIconic").data[0]);
}

TEST_F(ShellTest, CycleButtonIsGreyedUnlessAnEnabledSlotIsAvailable)
{
    // 1280x1024 exists only at 16 bits: enabled but not available at 32.
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res1280x1024", "1,00000000");
    ASSERT_TRUE(Create());
    EXPECT_FALSE(CycleButtonState() & TBSTATE_ENABLED);

    DestroyWindow(Shell.toolWindow);
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res800x600", "1,00000000");
    ASSERT_TRUE(Create());
    EXPECT_TRUE(CycleButtonState() & TBSTATE_ENABLED);
}

TEST_F(ShellTest, EverySlotWithAHotkeyGetsAHiddenHotkeyWindowOwnedByTheToolWindow)
{
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res640x480", "0,00000641");  // disabled, Alt+A
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res1024x768", "1,00000342");  // Ctrl+Shift+B
    HWND window = Create();
    ASSERT_TRUE(window);
    for (int i = 0; i < MAX_SLOTS; ++i) {
        bool expected = i == 0 || i == 2;
        ASSERT_EQ(expected, Shell.hotkeyWindows[i] != NULL) << i;
        if (!expected)
            continue;
        char className[32];
        GetClassNameA(Shell.hotkeyWindows[i], className, sizeof(className));
        EXPECT_STREQ("NRXHOTKEYWND", className);
        EXPECT_EQ(window, GetWindow(Shell.hotkeyWindows[i], GW_OWNER));
        EXPECT_FALSE(IsWindowVisible(Shell.hotkeyWindows[i]));
        EXPECT_EQ(i, GetWindowLongA(Shell.hotkeyWindows[i], 0));
    }
    HWND slot2 = Shell.hotkeyWindows[2];
    DestroyWindow(window);
    EXPECT_FALSE(IsWindow(slot2));
}

TEST_F(ShellTest, UnderAnOpenBoxNothingStartsSwitchesOrEnds)
{
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res800x600", "1,00000000");
    HWND window = Create();
    ASSERT_TRUE(window);
    ShowWindow(window, SW_SHOW);
    simulated::TheAdapter().calls.clear();
    boxes.Queue(driver::HOLD);
    std::thread user([&] {
        if (!boxes.WaitForBoxes(1))
            return;
        HWND box = boxes.Seen()[0].window;
        struct Attempt {
            UINT message;
            WPARAM wParam;
            LPARAM lParam;
        } const attempts[] = {
            {WM_COMMAND, IDM_SETTINGS, 0}, {WM_COMMAND, IDM_ABOUT, 0},     {WM_COMMAND, IDM_EXIT, 0},
            {WM_COMMAND, IDM_CYCLE, 0},    {WM_COMMAND, IDM_DROPDOWN, 0},  {WM_COMMAND, IDM_MODE_FIRST, 0},
            {WM_HOTKEY, 1, 0},             {WM_TRAYICON, TRAY_ICON_ID, WM_LBUTTONDBLCLK},
        };
        for (const Attempt& a : attempts) {
            DWORD_PTR ignored;
            EXPECT_TRUE(SendMessageTimeoutA(window, a.message, a.wParam, a.lParam, SMTO_NORMAL, 2000, &ignored))
                << a.message << " " << a.wParam << " " << a.lParam;
        }
        driver::PostCommand(box, IDOK);
    });
    EXPECT_EQ(IDOK, ShowMessage(window, IDS_CANNOT_CHANGE, MB_OK));
    user.join();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(simulated::TheAdapter().calls.empty());
    EXPECT_FALSE(KillTimer(window, TIMER_TRAY_MENU)) << "no tray menu is pending";
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    // Afterwards the same commands work again.
    SendMessageA(window, WM_HOTKEY, 1, 0);
    EXPECT_EQ(800, simulated::TheAdapter().screenWidth);
}

TEST(HotkeyModifiers, HotkeyControlFlagsBecomeRegisterHotKeyModifiers)
{
    EXPECT_EQ((UINT)MOD_ALT, HotkeyModifiers(HOTKEYF_ALT));
    EXPECT_EQ((UINT)MOD_CONTROL, HotkeyModifiers(HOTKEYF_CONTROL));
    EXPECT_EQ((UINT)MOD_SHIFT, HotkeyModifiers(HOTKEYF_SHIFT));
    EXPECT_EQ((UINT)(MOD_ALT | MOD_CONTROL | MOD_SHIFT),
              HotkeyModifiers(HOTKEYF_ALT | HOTKEYF_CONTROL | HOTKEYF_SHIFT | HOTKEYF_EXT));
    EXPECT_EQ(0u, HotkeyModifiers(HOTKEYF_EXT));
}

TEST_F(ShellTest, ToolbarButtonsExplainThemselves)
{
    HWND window = Create();
    ASSERT_TRUE(window);
    struct Case {
        UINT_PTR button;
        const char* tip;
    } cases[] = {{IDM_CYCLE, "解像度切り替え"}, {IDM_DROPDOWN, "ﾌﾟﾙﾀﾞｳﾝﾒﾆｭｰ"}, {IDC_TOOLBAR, NULL}};
    for (const Case& c : cases) {
        TOOLTIPTEXTA request = {};
        request.hdr.code = TTN_NEEDTEXTA;
        request.hdr.idFrom = c.button;
        SendMessageA(window, WM_NOTIFY, 0, (LPARAM)&request);
        EXPECT_STREQ(c.tip, request.lpszText) << c.button;
    }
}

TEST_F(ShellTest, CloseBoxOnlyHidesAndShowHideTogglesBack)
{
    HWND window = Create();
    ASSERT_TRUE(window);
    ShowWindow(window, SW_SHOW);
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(0, Shell.toolWindowVisible);
    SendMessageA(window, WM_COMMAND, IDM_SHOW_HIDE, 0);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(1, Shell.toolWindowVisible);
    SendMessageA(window, WM_COMMAND, IDM_SHOW_HIDE, 0);
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(ShellTest, DisplayChangeRefreshesTheStateAndKeepsTheWindowOnScreen)
{
    HWND window = Create();
    ASSERT_TRUE(window);
    EXPECT_EQ(2, CurrentDisplay.slotIndex);
    simulated::TheAdapter().screenWidth = 800;
    simulated::TheAdapter().screenHeight = 600;
    SendMessageA(window, WM_DISPLAYCHANGE, 32, MAKELPARAM(800, 600));
    EXPECT_EQ(800, CurrentDisplay.width);
    EXPECT_EQ(1, CurrentDisplay.slotIndex);
    EXPECT_EQ(800, WindowRect().right);
}

// The tray icon's and the help's calls, as "function argument...".
std::vector<std::string> shellCalls;

BOOL WINAPI RecordNotifyIcon(DWORD message, NOTIFYICONDATAA* data)
{
    shellCalls.push_back("Shell_NotifyIconA " + std::to_string(message) + " " + std::to_string(data->cbSize) +
                         " " + std::to_string(data->uFlags) + " " + data->szTip);
    return TRUE;
}

BOOL WINAPI RecordWinHelp(HWND, const char* file, UINT command, ULONG_PTR)
{
    shellCalls.push_back(std::string("WinHelpA ") + file + " " + std::to_string(command));
    return TRUE;
}

TEST_F(ShellTest, ShutdownTwiceStoresThePlacementAndRemovesTheHotkeyWindows)
{
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res800x600", "1,00000641");
    testbed::ImportHook notify("SHELL32.dll", "Shell_NotifyIconA", (void*)RecordNotifyIcon);
    testbed::ImportHook help("USER32.dll", "WinHelpA", (void*)RecordWinHelp);
    shellCalls.clear();
    lstrcpyA(Shell.helpFilePath, "C:\\NRXVGCHG.HLP");
    HWND window = Create();
    ASSERT_TRUE(window);
    HWND hotkeyWindow = Shell.hotkeyWindows[1];
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(SendMessageA(window, WM_QUERYENDSESSION, 0, 0));
    EXPECT_FALSE(IsWindow(hotkeyWindow));
    DestroyWindow(window);
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, message.wParam);
    // The icon with its tip; at each shutdown the help closed and the icon removed.
    const std::string quit = "WinHelpA C:\\NRXVGCHG.HLP 2", remove = "Shell_NotifyIconA 2 88 0 ";
    EXPECT_EQ(std::vector<std::string>({"Shell_NotifyIconA 0 88 7 ﾚｿﾞﾙｳﾞｧ", quit, remove, quit, remove}),
              shellCalls);
    Shell.helpFilePath[0] = '\0';

    testreg::Value position = testreg::Read(HKEY_CURRENT_USER, KEY, "DefaultPosition");
    ASSERT_EQ(16u, position.data.size());
    EXPECT_EQ(1, testreg::Read(HKEY_CURRENT_USER, KEY, "DefaultIconic").data[0]);
}

TEST(MakeHelpFilePath, ReplacesTheExtensionOrAppendsOne)
{
    struct Case {
        const char* program;
        const char* help;
    } cases[] = {
        {"C:\\WINDOWS\\NRXVGCHG.EXE", "C:\\WINDOWS\\NRXVGCHG.HLP"},
        {"C:\\ソフト\\表.EXE", "C:\\ソフト\\表.HLP"},
        {"C:\\TOOLS\\RESOLVA", "C:\\TOOLS\\RESOLVA.HLP"},
    };
    for (const Case& c : cases) {
        char help[MAX_PATH];
        ASSERT_TRUE(MakeHelpFilePath(c.program, help, sizeof(help)));
        EXPECT_STREQ(c.help, help);
    }
}

TEST(MakeHelpFilePath, APathThatWouldNotFitIsRefused)
{
    std::string program = "C:\\" + std::string(252, 'A') + ".EXE";
    char help[MAX_PATH];
    EXPECT_TRUE(MakeHelpFilePath(program.c_str(), help, sizeof(help)));
    std::string longer = "C:\\" + std::string(300, 'A');
    EXPECT_FALSE(MakeHelpFilePath(longer.c_str(), help, sizeof(help)));
}

}  // namespace
