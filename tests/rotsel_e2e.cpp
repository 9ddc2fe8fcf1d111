// ROTSEL.EXE as a user meets it, in the Wine virtual desktop (Japanese,
// Windows 98, and NT where noted), on the vendor's registry laid out in the
// prefix: the testbed build on the simulated LCD panel, and the shipped
// image on Wine's own display driver. Both run beside the test double of
// NRXCHG32.DLL, which records the restart instead of carrying it out (the
// shipped image is copied there: the stand-in library beside it in bin/
// would really restart). The registry ROTSEL may write is compared whole,
// before and after, and everything laid out is put back.
#include "rotsel_e2e_fixture.h"
#include "fault_matrix.h"

#include <functional>

namespace {

using namespace rotsel_e2e;

const int CLOSE_BOX = -1;

struct DialogCase {
    const char* name;
    bool shippedImage;
    Driver loaded;
    bool clearBox;  // in dialog 101, before the answer
    int answer;     // IDOK (再起動(&R)), IDCANCEL or CLOSE_BOX
    std::vector<testreg::TreeEntry> writes;  // and a restart, when there are any
};

TEST_F(RotselE2E, DialogsWriteOnlyOnRestartThenRestartThroughTheLibrary)
{
    const DialogCase cases[] = {
        {"101, ticked", false, STANDARD, false, IDOK,
         {Status(0x81), testreg::TextEntry(DIRECTION, "", "ON"),
          testreg::TextEntry(DEFAULT, "drv", "NRXLCD.DRV")}},
        {"101, cleared", false, STANDARD, true, IDOK,
         {testreg::TextEntry(DIRECTION, "", "OFF"), testreg::TextEntry(DEFAULT, "drv", "NRXLCD.DRV")}},
        {"102", false, PORTRAIT, false, IDOK, {testreg::TextEntry(DEFAULT, "drv", "VGA.DRV")}},
        {"101, cancel", false, STANDARD, false, IDCANCEL, {}},
        {"101, close box", false, STANDARD, false, CLOSE_BOX, {}},
        {"102, cancel", false, PORTRAIT, false, IDCANCEL, {}},
        {"102, close box", false, PORTRAIT, false, CLOSE_BOX, {}},
        // Wine's display driver has no LCD control escape: the box stays usable.
        {"shipped image, 101, cancel", true, STANDARD, false, IDCANCEL, {}},
    };
    for (const DialogCase& c : cases) {
        SCOPED_TRACE(c.name);
        Clear();
        LayOut(c.loaded);
        testreg::Tree expected = testreg::DumpSubtrees(SUBTREES);
        driver::Program program(c.shippedImage ? Shipped() : TESTBED);
        HWND dialog = WaitForSwitchDialog(program);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(TITLE, driver::WindowText(dialog));
        // Dialog 101 has the check box, preset from "Direction" ON; dialog 102 has none.
        EXPECT_EQ(c.loaded == STANDARD, GetDlgItem(dialog, CHECK_BOX) != NULL);
        if (c.loaded == STANDARD) {
            EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, CHECK_BOX));
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, CHECK_BOX)));
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, NO_PANEL_TEXT)));
        }
        if (c.clearBox) {
            Click(dialog, CHECK_BOX);
            EXPECT_TRUE(driver::WaitFor([&] { return !IsDlgButtonChecked(dialog, CHECK_BOX); }));
        }
        if (c.answer == CLOSE_BOX)
            PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            Click(dialog, c.answer);
        EXPECT_EQ(0, program.WaitForExit());
        for (const testreg::TreeEntry& write : c.writes)
            testreg::Apply(&expected, write);
        expected = testreg::WithinSubtrees(SUBTREES, expected);
        testreg::Tree after = testreg::DumpSubtrees(SUBTREES);
        EXPECT_TRUE(expected == after) << testreg::Difference(expected, after);
        EXPECT_EQ(c.writes.empty() ? "" : "RestartWindows\r\n", testfiles::Read(RESTART_LOG));
    }
}

struct FailureCase {
    const char* name;
    void (*layOut)();
    bool windowsNt;
    const char* message;
};

TEST_F(RotselE2E, FailedCheckShowsItsMessageAndEndsWithoutWriting)
{
    const char* const NO_VENDOR_DRIVER = "ﾉﾘｯｸｽ製ﾄﾞﾗｲﾊﾞが動作していません。";
    const FailureCase cases[] = {
        {"no vendor device", [] {}, false, NO_VENDOR_DRIVER},
        {"no switching information",
         [] {
             LayOut(STANDARD);
             testreg::WriteDword(HKEY_LOCAL_MACHINE, lcdreg::UtilityKey("DISPLAY\\0001").c_str(), "ROTSEL", 0);
         },
         false, "LCDﾄﾞﾗｲﾊﾞの切り替え情報が不足しているか\n切り替えをｻﾎﾟｰﾄしていません。"},
        // Windows NT keeps no Configuration Manager nodes: the vendor's other entries are no help.
        {"Windows NT",
         [] {
             LayOut(STANDARD);
             testreg::DeleteTree(HKEY_DYN_DATA, "Config Manager\\Enum\\NRX0000");
         },
         true, NO_VENDOR_DRIVER},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        Clear();
        c.layOut();
        if (c.windowsNt)
            testreg::RunProgramAs(restorer, "ROTSEL.EXE", "winxp");
        testreg::Tree before = testreg::DumpSubtrees(SUBTREES);
        driver::Program program(Shipped());
        driver::BoxAnswerer boxes(program.id());
        ASSERT_TRUE(boxes.WaitForBoxes(1));
        driver::SeenBox box = boxes.Seen()[0];
        EXPECT_EQ(c.message, box.text);
        EXPECT_EQ(TITLE, box.title);
        char ownerClass[64] = "";
        GetClassNameA(box.owner, ownerClass, sizeof(ownerClass));
        EXPECT_STREQ(MAIN_CLASS, ownerClass);
        EXPECT_FALSE(IsWindowVisible(box.owner));
        driver::PostCommand(box.window, IDOK);
        EXPECT_EQ(0, program.WaitForExit());
        EXPECT_EQ(1u, boxes.Seen().size());
        testreg::Tree after = testreg::DumpSubtrees(SUBTREES);
        EXPECT_TRUE(before == after) << testreg::Difference(before, after);
        EXPECT_FALSE(testfiles::Exists(RESTART_LOG));
    }
}

TEST_F(RotselE2E, SecondStartEndsAtOnce)
{
    LayOut(STANDARD);
    driver::Program first(TESTBED);
    HWND dialog = WaitForSwitchDialog(first);
    ASSERT_TRUE(dialog);
    driver::Program second(TESTBED);
    driver::BoxAnswerer boxes(second.id());
    EXPECT_EQ(0, second.WaitForExit());
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_TRUE(IsWindowVisible(dialog));
    Click(dialog, IDCANCEL);
    EXPECT_EQ(0, first.WaitForExit());
}

// Fault matrix: the end of the session and a display change while dialog
// 101 is open. Neither writes; 再起動(&R) afterwards writes as ever.
TEST_F(RotselE2E, FaultMatrixWhileTheDialogIsOpen)
{
    struct Case {
        const char* what;
        std::function<void(HWND dialog)> meet;
    } cases[] = {
        {"ROTSEL e2e: WM_QUERYENDSESSION while dialog 101 is open",
         [](HWND dialog) {
             DWORD_PTR answer = 0;
             EXPECT_TRUE(SendMessageTimeoutA(dialog, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 3000, &answer));
             EXPECT_EQ(TRUE, (BOOL)answer) << "the session may end";
         }},
        {"ROTSEL e2e: a display change while dialog 101 is open",
         [](HWND dialog) {
             driver::SetScreen(800, 600);
             EXPECT_TRUE(driver::WaitFor([] { return driver::ScreenIs(800, 600); }));
             driver::SetScreen(1024, 768);
             EXPECT_TRUE(driver::WaitFor([] { return driver::ScreenIs(1024, 768); }));
         }},
    };
    for (const Case& c : cases) {
        matrix::Case(c.what, 15000, [&] {
            Clear();
            LayOut(STANDARD);
            driver::Program program(TESTBED);
            HWND dialog = WaitForSwitchDialog(program);
            ASSERT_TRUE(dialog);
            testreg::Tree before = testreg::DumpSubtrees(SUBTREES);
            c.meet(dialog);
            EXPECT_TRUE(IsWindowVisible(dialog));
            testreg::Tree after = testreg::DumpSubtrees(SUBTREES);
            EXPECT_TRUE(before == after) << testreg::Difference(before, after);
            Click(dialog, IDOK);
            EXPECT_EQ(0, program.WaitForExit());
            EXPECT_EQ("NRXLCD.DRV", testreg::Read(HKEY_LOCAL_MACHINE, (std::string(CLASS_KEY) + "\\DEFAULT").c_str(), "drv").text());
            EXPECT_EQ("RestartWindows\r\n", testfiles::Read(RESTART_LOG));
        });
    }
}

}  // namespace
