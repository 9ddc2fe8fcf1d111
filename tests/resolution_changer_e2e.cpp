// NRXVGCHG.EXE as a user meets it, in the Wine virtual desktop (Japanese,
// Windows 98): started from a folder of its own beside the stand-in library,
// driven with the messages its windows receive, registry checked afterwards.
#include "resolution_changer_fixture.h"

namespace {

using namespace e2e;

TEST_F(ResolutionChangerE2E, FirstStartShowsTheToolWindowTopRightAndExitStoresItsPlace)
{
    driver::Program program(PROGRAM);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    EXPECT_TRUE(IsWindowVisible(window));
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(1024, r.right);
    EXPECT_EQ(0, r.top);
    EXPECT_LT(r.right - r.left, 100);

    EXPECT_EQ(0, Exit(program, window));
    testreg::Value position = testreg::Read(HKEY_CURRENT_USER, KEY, "DefaultPosition");
    EXPECT_EQ((DWORD)REG_BINARY, position.type);
    ASSERT_EQ(16u, position.data.size());
    const LONG* stored = (const LONG*)position.data.data();
    EXPECT_EQ(r.left, stored[0]);
    EXPECT_EQ(r.top, stored[1]);
    EXPECT_EQ(r.right - r.left, stored[2]);
    EXPECT_EQ(r.bottom - r.top, stored[3]);
    testreg::Value iconic = testreg::Read(HKEY_CURRENT_USER, KEY, "DefaultIconic");
    EXPECT_EQ((DWORD)REG_DWORD, iconic.type);
    ASSERT_EQ(4u, iconic.data.size());
    EXPECT_EQ(0u, *(const DWORD*)iconic.data.data());
}

TEST_F(ResolutionChangerE2E, EndedWhileMinimisedTheNextStartShowsTheWindowAtItsLastNormalPlace)
{
    const LONG rect[4] = {300, 200, 70, 50};
    testreg::Write(HKEY_CURRENT_USER, KEY, "DefaultPosition", REG_BINARY, rect, sizeof(rect));
    RECT before;
    {
        driver::Program program(PROGRAM);
        HWND window = Start(program);
        ASSERT_TRUE(window);
        GetWindowRect(window, &before);
        EXPECT_EQ(300, before.left);
        PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(driver::WaitFor([&] { return IsIconic(window) != FALSE; }));
        EXPECT_EQ(0, Exit(program, window));
    }
    driver::Program program(PROGRAM);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsIconic(window));
    RECT after;
    GetWindowRect(window, &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << after.left << "," << after.top;
    EXPECT_EQ(0, Exit(program, window));
}

TEST_F(ResolutionChangerE2E, SecondStartEndsWithExitCodeOneAndTheFirstRunsOn)
{
    driver::Program first(PROGRAM);
    HWND window = Start(first);
    ASSERT_TRUE(window);
    driver::Program second(PROGRAM);
    EXPECT_EQ(1, second.WaitForExit());
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(1u, driver::ProcessWindows(first.id(), TOOL_CLASS).size());
    EXPECT_EQ(0, Exit(first, window));
}

TEST_F(ResolutionChangerE2E, CloseBoxHidesAndTheNextStartShowsOnlyTheTrayIcon)
{
    {
        driver::Program program(PROGRAM);
        HWND window = Start(program);
        ASSERT_TRUE(window);
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(driver::WaitFor([&] { return !IsWindowVisible(window); }));
        EXPECT_EQ(-1, program.WaitForExit(300)) << "the close box must not end the program";
        // A second copy leaves the hidden window hidden.
        driver::Program second(PROGRAM);
        EXPECT_EQ(1, second.WaitForExit());
        EXPECT_FALSE(driver::WaitFor([&] { return IsWindowVisible(window) != FALSE; }, 300));
        EXPECT_EQ(0, Exit(program, window));
    }
    testreg::Value iconic = testreg::Read(HKEY_CURRENT_USER, KEY, "DefaultIconic");
    ASSERT_EQ(4u, iconic.data.size());
    EXPECT_EQ(1u, *(const DWORD*)iconic.data.data());

    driver::Program program(PROGRAM);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    EXPECT_FALSE(driver::WaitFor([&] { return IsWindowVisible(window) != FALSE; }, 300));
    // The tray icon is there: its click opens the menu.
    PostMessageA(window, WM_TRAYICON, TRAY_ICON_ID, WM_RBUTTONUP);
    EXPECT_TRUE(driver::WaitFor([&] { return VisibleMenu(program.id()) != NULL; }));
    CloseMenu(program.id());
    EXPECT_EQ(0, Exit(program, window));
}

TEST_F(ResolutionChangerE2E, TrayClickOpensTheMenuAfterTwoHundredMilliseconds)
{
    driver::Program program(PROGRAM);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    DWORD clicked = GetTickCount();
    PostMessageA(window, WM_TRAYICON, TRAY_ICON_ID, WM_LBUTTONUP);
    ASSERT_TRUE(driver::WaitFor([&] { return VisibleMenu(program.id()) != NULL; }));
    DWORD elapsed = GetTickCount() - clicked;
    EXPECT_GE(elapsed, 180u);
    EXPECT_LT(elapsed, 3000u);  // generous: the machine may be busy
    // The menu's owner is a hidden window of its own, not the tool window.
    std::vector<HWND> owners = driver::ProcessWindows(program.id(), "NRXMENUWND");
    ASSERT_EQ(1u, owners.size());
    EXPECT_FALSE(IsWindowVisible(owners[0]));
    CloseMenu(program.id());
    // Clicks for another icon id are ignored.
    PostMessageA(window, WM_TRAYICON, TRAY_ICON_ID + 1, WM_LBUTTONUP);
    EXPECT_FALSE(driver::WaitFor([&] { return VisibleMenu(program.id()) != NULL; }, 500));
    EXPECT_EQ(0, Exit(program, window));
}

// The icon comes back when a restarted shell announces its new taskbar, and
// a real click on it still opens the menu.
TEST_F(ResolutionChangerE2E, AfterAShellRestartTheIconIsBackAndAClickOnItOpensTheMenu)
{
    driver::Program program(PROGRAM);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    driver::RemoveTrayIcon(window, TRAY_ICON_ID);
    ASSERT_FALSE(driver::TrayIconShown(window, TRAY_ICON_ID));
    driver::AnnounceTaskbarCreated();
    ASSERT_TRUE(driver::WaitFor([&] { return driver::TrayIconShown(window, TRAY_ICON_ID); }));
    ASSERT_TRUE(driver::ClickNotificationArea());
    EXPECT_TRUE(driver::WaitFor([&] { return VisibleMenu(program.id()) != NULL; }));
    CloseMenu(program.id());
    EXPECT_EQ(0, Exit(program, window));
}

TEST_F(ResolutionChangerE2E, DoubleClickOpensNoMenu)
{
    driver::Program program(PROGRAM);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    // The system reports a double click as up, double-click, up.
    PostMessageA(window, WM_TRAYICON, TRAY_ICON_ID, WM_LBUTTONUP);
    PostMessageA(window, WM_TRAYICON, TRAY_ICON_ID, WM_LBUTTONDBLCLK);
    PostMessageA(window, WM_TRAYICON, TRAY_ICON_ID, WM_LBUTTONUP);
    EXPECT_FALSE(driver::WaitFor([&] { return VisibleMenu(program.id()) != NULL; }, 600));
    // The swallowed button-up was the last: the next click opens the menu again.
    PostMessageA(window, WM_TRAYICON, TRAY_ICON_ID, WM_LBUTTONUP);
    EXPECT_TRUE(driver::WaitFor([&] { return VisibleMenu(program.id()) != NULL; }));
    CloseMenu(program.id());
    EXPECT_EQ(0, Exit(program, window));
}

TEST_F(ResolutionChangerE2E, AboutBoxShowsTheVersionAndClosesWithOk)
{
    driver::Program program(PROGRAM);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    PostMessageA(window, WM_COMMAND, 103, 0);
    HWND about = driver::WaitForDialog(program.id(), "ﾉﾘｯｸｽ ﾚｿﾞﾙｳﾞｧ");
    ASSERT_TRUE(about);
    EXPECT_EQ(window, GetWindow(about, GW_OWNER));
    EXPECT_EQ("OK", driver::ControlText(about, IDOK));
    driver::PostCommand(about, IDOK);
    EXPECT_TRUE(driver::WaitUntilGone(about));
    EXPECT_EQ(0, Exit(program, window));
}

TEST_F(ResolutionChangerE2E, ToolbarTooltipsAndDropDownMenu)
{
    driver::Program program(PROGRAM);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    HWND toolbar = FindWindowExA(window, NULL, "ToolbarWindow32", NULL);
    ASSERT_TRUE(toolbar);
    EXPECT_EQ(2, (int)SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    // Nothing is enabled for switching on a first start: the cycle button is grey.
    EXPECT_FALSE(SendMessageA(toolbar, TB_GETSTATE, 201, 0) & TBSTATE_ENABLED);
    EXPECT_TRUE(SendMessageA(toolbar, TB_GETSTATE, 202, 0) & TBSTATE_ENABLED);
    PostMessageA(window, WM_COMMAND, 202, 0);
    EXPECT_TRUE(driver::WaitFor([&] { return VisibleMenu(program.id()) != NULL; }));
    RECT menu;
    GetWindowRect(VisibleMenu(program.id()), &menu);
    RECT bar;
    GetWindowRect(toolbar, &bar);
    EXPECT_GE(menu.top, bar.top + 20) << menu.left << "," << menu.top << " bar " << bar.left << "," << bar.top;  // below the buttons
    CloseMenu(program.id());
    EXPECT_EQ(0, Exit(program, window));
}

TEST_F(ResolutionChangerE2E, CloseFromOutsideEndsTheProgramLikeExit)
{
    const LONG rect[4] = {100, 200, 70, 50};
    testreg::Write(HKEY_CURRENT_USER, KEY, "DefaultPosition", REG_BINARY, rect, sizeof(rect));
    driver::Program program(PROGRAM);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(100, r.left);
    EXPECT_EQ(200, r.top);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitForExit());
    testreg::Value position = testreg::Read(HKEY_CURRENT_USER, KEY, "DefaultPosition");
    ASSERT_EQ(16u, position.data.size());
    EXPECT_EQ(100, ((const LONG*)position.data.data())[0]);
}

// Fault matrix: the end of the session, as the real program meets it.
TEST_F(ResolutionChangerE2E, FaultMatrixEndOfSessionThenDestroy)
{
    matrix::Case("NRXVGCHG e2e: WM_QUERYENDSESSION, then WM_DESTROY", 10000, [&] {
        driver::Program program(PROGRAM);
        HWND window = Start(program);
        ASSERT_TRUE(window);
        matrix::Snapshot before = Footprint();
        EXPECT_EQ(TRUE, driver::QueryEndSessionThenClose(window)) << "the session may end";
        EXPECT_EQ(0, program.WaitForExit());
        EXPECT_FALSE(driver::TrayIconShown(window, TRAY_ICON_ID));
        EXPECT_EQ(16u, testreg::Read(HKEY_CURRENT_USER, KEY, "DefaultPosition").data.size());
        EXPECT_EQ("", ChangesBesideSettings(before));
    });
}

}  // namespace
