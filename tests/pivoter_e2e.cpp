// PIVOTER.EXE as a user meets it, in the Wine virtual desktop (Japanese,
// Windows 98, and NT where noted): the shipped image for the start-up
// checks, the testbed build on the simulated LCD panel for the toggle, the
// tray clicks and the menu. The registry the tests lay out in the prefix is
// put back afterwards, and the desktop left at 1024x768.
#include "pivoter_e2e_fixture.h"
#include "fault_matrix.h"

#include <functional>

namespace {

using namespace pivoter_e2e;

struct StartupCase {
    const char* name;
    const char* program;
    void (*layOut)();
    const char* message;
};

TEST_F(PivoterE2E, EachFailingStartupCheckShowsItsMessageAndEnds)
{
    const StartupCase cases[] = {
        {"no vendor device", SHIPPED, [] {}, "ﾉﾘｯｸｽ製ﾄﾞﾗｲﾊﾞが動作していません。"},
        {"no switching information", SHIPPED,
         [] {
             lcdreg::PortraitInstallation();
             testreg::DeleteTree(HKEY_CURRENT_USER, lcdreg::DRIVER_NAME_KEY);
         },
         "LCDﾄﾞﾗｲﾊﾞの切り替え情報が不足しているか\n切り替えをｻﾎﾟｰﾄしていません。"},
        {"standard driver loaded", SHIPPED,
         [] {
             lcdreg::PortraitInstallation();
             lcdreg::AddDriver("DISPLAY\\0001", "VGA.DRV");
         },
         "現在のﾄﾞﾗｲﾊﾞは切り替えをｻﾎﾟｰﾄしていません。"},
        // Wine's display driver has no LCD control escape.
        {"no panel (shipped)", SHIPPED, [] { lcdreg::PortraitInstallation(); },
         "LCDﾊﾟﾈﾙが接続されていないか\nﾄﾞﾗｲﾊﾞが切り替えをｻﾎﾟｰﾄしていません。"},
    };
    for (const StartupCase& c : cases) {
        SCOPED_TRACE(c.name);
        testreg::DeleteTree(HKEY_DYN_DATA, "Config Manager\\Enum\\NRX0000");
        testreg::DeleteTree(HKEY_CURRENT_USER, lcdreg::NRXLCD_KEY);
        testreg::DeleteTree(HKEY_CURRENT_USER, lcdreg::PANEL_KEY);
        c.layOut();
        driver::Program program(c.program);
        driver::BoxAnswerer boxes(program.id());
        ASSERT_TRUE(boxes.WaitForBoxes(1));
        driver::SeenBox box = boxes.Seen()[0];
        EXPECT_EQ(c.message, box.text);
        EXPECT_EQ(TITLE, box.title);
        EXPECT_EQ(NULL, box.owner);
        EXPECT_TRUE(box.icon);  // which one only the program's own process can tell
        EXPECT_TRUE(driver::ProcessWindows(program.id(), MAIN_CLASS).empty());
        driver::PostCommand(box.window, IDOK);
        EXPECT_EQ(0, program.WaitForExit());
        EXPECT_EQ(1u, boxes.Seen().size());
    }
}

TEST_F(PivoterE2E, LeftClicksStoreTheStateAndSetTheMode)
{
    lcdreg::PortraitInstallation();
    driver::Program program(TESTBED);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(TrayIconShown(window));

    Click(window, WM_LBUTTONUP);
    // The simulated panel's portrait mode is 800x600 (the desktop has no 768x1024).
    ASSERT_TRUE(driver::WaitFor([] { return ScreenIs(800, 600); }));
    EXPECT_EQ(0x81u, lcdreg::DwordOf(lcdreg::LcdStatus()));
    EXPECT_EQ("ON", testreg::Read(HKEY_CURRENT_USER, lcdreg::DIRECTION_KEY, "").text());
    // The panel took the stored state into effect (the screen changes before
    // the program's ChangeDisplaySettingsA returns).
    EXPECT_TRUE(driver::WaitFor([] {
        return lcdreg::DwordOf(testreg::Read(HKEY_CURRENT_USER, lcdreg::PANEL_KEY, "state")) == 0x81;
    }));

    // The pointer is not checked here: Wine's desktop on Xvfb moves it itself
    // after a mode change (in-process tests check where the program puts it).
    Click(window, WM_LBUTTONUP);
    ASSERT_TRUE(driver::WaitFor([] { return ScreenIs(1024, 768); }));
    EXPECT_EQ(0x01u, lcdreg::DwordOf(lcdreg::LcdStatus()));
    EXPECT_EQ("OFF", testreg::Read(HKEY_CURRENT_USER, lcdreg::DIRECTION_KEY, "").text());

    EXPECT_EQ(0, Exit(program, window));
    EXPECT_FALSE(TrayIconShown(window));
}

TEST_F(PivoterE2E, RightClickThenLeftClickOpensNoMenuAndTogglesOnce)
{
    lcdreg::PortraitInstallation();
    driver::Program program(TESTBED);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    Click(window, WM_RBUTTONUP);
    Click(window, WM_LBUTTONUP);
    ASSERT_TRUE(driver::WaitFor([] { return ScreenIs(800, 600); }));
    Sleep(500);  // past the menu's 200 ms
    EXPECT_EQ(NULL, VisibleMenu(program.id()));
    EXPECT_TRUE(ScreenIs(800, 600));
    EXPECT_EQ(0x81u, lcdreg::DwordOf(lcdreg::LcdStatus()));
    EXPECT_EQ(0, Exit(program, window));
}

TEST_F(PivoterE2E, RightClickMenuAndExit)
{
    lcdreg::PortraitInstallation();
    driver::Program program(TESTBED);
    HWND window = Start(program);
    ASSERT_TRUE(window);

    // The menu opens 200 ms after the click, owned by a hidden window of its
    // own that goes when the menu closes without a choice.
    DWORD clicked = GetTickCount();
    HWND menu = OpenMenu(program, window);
    ASSERT_TRUE(menu);
    EXPECT_GE(GetTickCount() - clicked, 180u);
    std::vector<HWND> owners = driver::ProcessWindows(program.id(), MENU_CLASS);
    ASSERT_EQ(1u, owners.size());
    EXPECT_FALSE(IsWindowVisible(owners[0]));
    PressInMenu(menu, {VK_ESCAPE});
    EXPECT_TRUE(MenuOwnersGone(program));
    EXPECT_EQ(NULL, VisibleMenu(program.id()));

    // 終了, past the separator, removes the icon and ends the program.
    menu = OpenMenu(program, window);
    ASSERT_TRUE(menu);
    PressInMenu(menu, {VK_HOME, VK_DOWN, VK_RETURN});
    EXPECT_EQ(0, program.WaitForExit());
    EXPECT_FALSE(TrayIconShown(window));
}

// The icon comes back when a restarted shell announces its new taskbar, and
// a real click on it still toggles.
TEST_F(PivoterE2E, AfterAShellRestartTheIconIsBackAndAClickOnItToggles)
{
    lcdreg::PortraitInstallation();
    driver::Program program(TESTBED);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    driver::RemoveTrayIcon(window, TRAY_ICON_ID);
    ASSERT_FALSE(TrayIconShown(window));
    driver::AnnounceTaskbarCreated();
    ASSERT_TRUE(driver::WaitFor([&] { return TrayIconShown(window); }));
    ASSERT_TRUE(driver::ClickNotificationArea());
    EXPECT_TRUE(driver::WaitFor([] { return ScreenIs(800, 600); }));
    EXPECT_EQ(0, Exit(program, window));
}

TEST_F(PivoterE2E, SecondStartEndsAtOnce)
{
    lcdreg::PortraitInstallation();
    driver::Program first(TESTBED);
    HWND window = Start(first);
    ASSERT_TRUE(window);
    driver::Program second(TESTBED);
    driver::BoxAnswerer boxes(second.id());
    EXPECT_EQ(0, second.WaitForExit());
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(0, Exit(first, window));
}

TEST_F(PivoterE2E, EndOfSessionRemovesTheIconAndEnds)
{
    lcdreg::PortraitInstallation();
    driver::Program program(TESTBED);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    EXPECT_TRUE(TrayIconShown(window));
    EXPECT_TRUE(SendMessageA(window, WM_QUERYENDSESSION, 0, 0)) << "agrees to end the session";
    EXPECT_FALSE(TrayIconShown(window));
    EXPECT_EQ(0, program.WaitForExit());
}

TEST_F(PivoterE2E, OnWindowsNtOnlyThePanelIsCheckedAndNoDirectionIsWritten)
{
    ASSERT_NO_FATAL_FAILURE(RunAsWindowsNt());  // and no vendor device in the Windows 95 places
    {
        driver::Program shipped(SHIPPED);
        driver::BoxAnswerer boxes(shipped.id());
        ASSERT_TRUE(boxes.WaitForBoxes(1));
        EXPECT_EQ("LCDﾊﾟﾈﾙが接続されていないか\nﾄﾞﾗｲﾊﾞが切り替えをｻﾎﾟｰﾄしていません。",
                  boxes.Seen()[0].text);
        driver::PostCommand(boxes.Seen()[0].window, IDOK);
        EXPECT_EQ(0, shipped.WaitForExit());
    }
    driver::Program program(TESTBED);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    // On NT the listed refresh (Wine's 60 Hz) must equal the reply's.
    Click(window, WM_LBUTTONUP);
    ASSERT_TRUE(driver::WaitFor([] { return ScreenIs(800, 600); }));
    EXPECT_EQ(0x81u, NtLcdStatus());
    Click(window, WM_LBUTTONUP);
    ASSERT_TRUE(driver::WaitFor([] { return ScreenIs(1024, 768); }));
    EXPECT_EQ(0x01u, NtLcdStatus());
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, lcdreg::NRXLCD_KEY));
    EXPECT_EQ(0, Exit(program, window));
}

// Fault matrix: the about box open while a second copy starts or the icon
// is clicked, and the end of the session. Only the panel's state may change.
TEST_F(PivoterE2E, FaultMatrixUnderTheAboutBoxAndAtTheEndOfTheSession)
{
    const std::vector<testreg::Subtree> watched = {
        {HKEY_CURRENT_USER, "HKCU", "Software\\NORIX"},
        {HKEY_LOCAL_MACHINE, "HKLM", std::string(lcdreg::CLASS_ROOT) + "DISPLAY\\0001"},
        {HKEY_DYN_DATA, "HKDD", "Config Manager\\Enum\\NRX0000"}};
    const matrix::MayChange panelState =
        matrix::Within({"HKLM\\" + lcdreg::UtilityKey("DISPLAY\\0001") + "\\LCDStatus",
                        std::string("HKCU\\") + lcdreg::DIRECTION_KEY});
    const char ABOUT_TITLE[] = "ﾊﾞｰｼﾞｮﾝ情報";
    struct AboutCase {
        const char* what;
        bool click;  // else a second start
    } cases[] = {{"PIVOTER e2e: a second start while the about box is open", false},
                 {"PIVOTER e2e: left clicks on the icon while the about box is open", true}};
    for (const AboutCase& c : cases) {
        matrix::Case(c.what, 15000, [&] {
            lcdreg::PortraitInstallation();
            driver::Program program(TESTBED);
            HWND window = Start(program);
            ASSERT_TRUE(window);
            matrix::Snapshot before = matrix::Take({watched, {}});
            driver::PostCommand(window, 2);
            HWND about = driver::WaitForDialog(program.id(), ABOUT_TITLE);
            ASSERT_TRUE(about);
            if (c.click) {
                // The toggle goes on under the box, there and back.
                Click(window, WM_LBUTTONUP);
                EXPECT_TRUE(driver::WaitFor([] { return ScreenIs(800, 600); }));
                EXPECT_EQ(0x81u, lcdreg::DwordOf(lcdreg::LcdStatus()));
                Click(window, WM_LBUTTONUP);
                EXPECT_TRUE(driver::WaitFor([] { return ScreenIs(1024, 768); }));
            } else {
                driver::Program second(TESTBED);
                driver::BoxAnswerer boxes(second.id());
                EXPECT_EQ(0, second.WaitForExit());
                EXPECT_TRUE(boxes.Seen().empty());
            }
            EXPECT_TRUE(IsWindowVisible(about));
            driver::PostCommand(about, IDOK);
            EXPECT_TRUE(driver::WaitUntilGone(about));
            EXPECT_EQ(0, Exit(program, window));
            EXPECT_EQ("", matrix::ChangesOutside(before, matrix::Take({watched, {}}), panelState));
        });
    }
    matrix::Case("PIVOTER e2e: WM_QUERYENDSESSION, then WM_DESTROY", 10000, [&] {
        lcdreg::PortraitInstallation();
        driver::Program program(TESTBED);
        HWND window = Start(program);
        ASSERT_TRUE(window);
        matrix::Snapshot before = matrix::Take({watched, {}});
        EXPECT_EQ(TRUE, driver::QueryEndSessionThenClose(window)) << "the session may end";
        EXPECT_EQ(0, program.WaitForExit());
        EXPECT_FALSE(TrayIconShown(window));
        EXPECT_EQ("", matrix::ChangesOutside(before, matrix::Take({watched, {}}), matrix::Within({})));
    });
}

}  // namespace
