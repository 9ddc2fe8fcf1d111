// Switching modes with the real NRXVGCHG.EXE in the Wine virtual desktop:
// the screen really changes, the question whether it is right times out
// into a roll-back, and a colour-depth change goes through the stand-in
// library. Every test leaves the desktop at 1024x768x32.
#include "box_answerer.h"
#include "resolution_changer_fixture.h"

namespace {

using namespace e2e;

const char ASK_TO_CHANGE[] =
    "ﾃﾞｽｸﾄｯﾌﾟのｻｲｽﾞを変更します。変更には数秒かかります。そのあいだ、画面がちらつくことがあります。\n"
    "Windows が正しく表示されない場合は、ｽﾍﾟｰｽｷｰを押すか、10秒間なにも操作せずにお待ち下さい｡";
const char IS_IT_RIGHT[] = "正常に表示されていますか？";

class SwitchingE2E : public ResolutionChangerE2E {
protected:
    RECT Rect(HWND window)
    {
        RECT r;
        GetWindowRect(window, &r);
        return r;
    }
};

TEST_F(SwitchingE2E, UnansweredQuestionRollsBackAfterTenSecondsWithTheToolWindow)
{
    driver::Program program(PROGRAM);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    RECT before = Rect(window);
    ASSERT_EQ(1024, before.right);
    driver::BoxAnswerer boxes(program.id());
    boxes.Queue(IDOK);  // 1019 only; the question is left alone
    PostMessageA(window, WM_COMMAND, MenuIdFor(800, 600, 32), 0);
    ASSERT_TRUE(boxes.WaitForBoxes(2));
    DWORD asked = GetTickCount();
    std::vector<driver::SeenBox> seen = boxes.Seen();
    EXPECT_EQ(ASK_TO_CHANGE, seen[0].text);
    EXPECT_EQ(window, seen[0].owner);
    EXPECT_EQ(IS_IT_RIGHT, seen[1].text);
    EXPECT_EQ("ﾚｿﾞﾙ ｳﾞｧ", seen[1].title);
    EXPECT_TRUE(ScreenIs(800, 600));
    EXPECT_EQ(800, Rect(window).right);  // at the right edge of the smaller screen

    ASSERT_TRUE(driver::WaitUntilGone(seen[1].window, 16000));
    DWORD waited = GetTickCount() - asked;
    EXPECT_GE(waited, 9500u);
    EXPECT_TRUE(driver::WaitFor([] { return ScreenIs(1024, 768); }));
    EXPECT_TRUE(driver::WaitFor([&] {
        RECT now = Rect(window);
        return EqualRect(&before, &now) != FALSE;
    }));
    EXPECT_EQ(2u, boxes.Seen().size());  // the way back asks nothing
    EXPECT_EQ(0, Exit(program, window));
}

TEST_F(SwitchingE2E, AnsweredYesTheModeStays)
{
    driver::Program program(PROGRAM);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    {
        driver::BoxAnswerer boxes(program.id());
        boxes.Queue({IDOK, IDOK});
        PostMessageA(window, WM_COMMAND, MenuIdFor(800, 600, 32), 0);
        ASSERT_TRUE(boxes.WaitForBoxes(2));
        ASSERT_TRUE(driver::WaitUntilGone(boxes.Seen()[1].window));
    }
    EXPECT_TRUE(ScreenBecomes(800, 600));
    {
        driver::BoxAnswerer boxes(program.id());
        boxes.Queue({IDOK, IDOK});
        PostMessageA(window, WM_COMMAND, MenuIdFor(1024, 768, 32), 0);
        ASSERT_TRUE(boxes.WaitForBoxes(2));
        ASSERT_TRUE(driver::WaitUntilGone(boxes.Seen()[1].window));
    }
    EXPECT_TRUE(driver::WaitFor([] { return ScreenIs(1024, 768); }));
    EXPECT_EQ(0, Exit(program, window));
}

TEST_F(SwitchingE2E, ColourDepthChangeGoesLiveThroughTheStandInLibrary)
{
    driver::Program program(PROGRAM);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    int id = MenuIdFor(640, 480, 16);
    ASSERT_GE(id, 2000);
    {
        driver::BoxAnswerer boxes(program.id());
        boxes.Queue({141, IDOK});  // 切り替え(&G), then yes
        PostMessageA(window, WM_COMMAND, id, 0);
        ASSERT_TRUE(boxes.WaitForBoxes(2));
        std::vector<driver::SeenBox> seen = boxes.Seen();
        EXPECT_EQ(0u, seen[0].text.find("ﾘｽﾀｰﾄせずに色数を変更すると"));
        EXPECT_EQ(IS_IT_RIGHT, seen[1].text);
        ASSERT_TRUE(driver::WaitUntilGone(seen[1].window));
    }
    // The size proves the live change; a Wine desktop shows other processes
    // its depth as 32 bits whatever was set.
    EXPECT_TRUE(driver::WaitFor([] { return ScreenIs(640, 480); }));
    EXPECT_EQ(640, Rect(window).right);

    // Back to 32 bits the same way; キャンセル first changes nothing.
    {
        driver::BoxAnswerer boxes(program.id());
        boxes.Queue({IDCANCEL, 141, IDOK});
        PostMessageA(window, WM_COMMAND, MenuIdFor(1024, 768, 32), 0);
        ASSERT_TRUE(boxes.WaitForBoxes(1));
        ASSERT_TRUE(driver::WaitUntilGone(boxes.Seen()[0].window));
        EXPECT_FALSE(driver::WaitFor([] { return !ScreenIs(640, 480); }, 300));
        PostMessageA(window, WM_COMMAND, MenuIdFor(1024, 768, 32), 0);
        ASSERT_TRUE(boxes.WaitForBoxes(3));
        ASSERT_TRUE(driver::WaitUntilGone(boxes.Seen()[2].window));
    }
    EXPECT_TRUE(driver::WaitFor([] { return ScreenIs(1024, 768); }));
    EXPECT_EQ(0, Exit(program, window));
}

TEST_F(SwitchingE2E, CycleButtonAndTrayDoubleClickStepThroughTheEnabledResolutions)
{
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res800x600", "1,00000000");
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res1024x768", "1,00000000");
    driver::Program program(PROGRAM);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    HWND toolbar = FindWindowExA(window, NULL, "ToolbarWindow32", NULL);
    EXPECT_TRUE(SendMessageA(toolbar, TB_GETSTATE, 201, 0) & TBSTATE_ENABLED);
    driver::BoxAnswerer boxes(program.id());

    PostMessageA(window, WM_COMMAND, 201, 0);
    EXPECT_TRUE(driver::WaitFor([] { return ScreenIs(800, 600); }));
    PostMessageA(window, WM_TRAYICON, TRAY_ICON_ID, WM_LBUTTONDBLCLK);
    PostMessageA(window, WM_TRAYICON, TRAY_ICON_ID, WM_LBUTTONUP);
    EXPECT_TRUE(driver::WaitFor([] { return ScreenIs(1024, 768); }));
    // A double click opens no menu and asks nothing.
    EXPECT_FALSE(driver::WaitFor([&] { return VisibleMenu(program.id()) != NULL; }, 400));
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_EQ(0, Exit(program, window));
}

// Fault matrix: the display changes from outside while the program asks.
TEST_F(SwitchingE2E, FaultMatrixDisplayChangesWhileTheProgramAsks)
{
    struct ChangeCase {
        const char* what;
        size_t openBox;  // 0: the announcement (1019), 1: the question whether the display is right
        int answer;      // to the question
        int width, height;  // the screen at the end
    } cases[] = {
        {"NRXVGCHG e2e: a display change while the question is open, answered no", 1, IDCANCEL, 1024, 768},
        {"NRXVGCHG e2e: a display change while the question is open, answered yes", 1, IDOK, 640, 480},
        {"NRXVGCHG e2e: a display change while the announcement is open", 0, IDCANCEL, 1024, 768},
    };
    for (const ChangeCase& c : cases) {
        matrix::Case(c.what, 20000, [&] {
            matrix::Snapshot footprint = Footprint();
            driver::Program program(PROGRAM);
            HWND window = Start(program);
            ASSERT_TRUE(window);
            RECT before = Rect(window);
            driver::BoxAnswerer boxes(program.id());
            boxes.Queue({driver::HOLD, driver::HOLD});
            PostMessageA(window, WM_COMMAND, MenuIdFor(800, 600, 32), 0);
            for (size_t box = 0; box < 2; ++box) {
                ASSERT_TRUE(boxes.WaitForBoxes(box + 1));
                HWND open = boxes.Seen()[box].window;
                if (box == c.openBox) {
                    driver::SetScreen(640, 480);
                    // The program has followed: its window is on the smaller screen.
                    EXPECT_TRUE(driver::WaitFor([&] { return Rect(window).right <= 640; }));
                }
                driver::PostCommand(open, box == 0 ? IDOK : c.answer);
                EXPECT_TRUE(driver::WaitUntilGone(open));
            }
            EXPECT_TRUE(ScreenBecomes(c.width, c.height));
            if (c.answer == IDCANCEL)
                EXPECT_TRUE(driver::WaitFor([&] {
                    RECT now = Rect(window);
                    return EqualRect(&before, &now) != FALSE;
                }));
            EXPECT_EQ(2u, boxes.Seen().size());
            EXPECT_EQ(0, Exit(program, window));
            EXPECT_EQ("", ChangesBesideSettings(footprint));
        });
        driver::SetScreen(1024, 768);
    }
}

}  // namespace
