// NRXDEL.EXE end to end in the prefix: the first run records its folder,
// copies itself into the real Windows directory and starts the copy, which
// shows the selection dialog; a run from the Windows directory (in another
// letter case) is the copy itself; a folder without the program file stops.
// The prefix's registry key, the copy and the folders go again afterwards.
#include "uninstaller_e2e_fixture.h"
#include "fault_matrix.h"

#include <functional>

namespace {

using namespace uninstaller_e2e;

TEST_F(UninstallerE2E, FirstRunStartsACopyFromTheWindowsDirectory)
{
    driver::Program first(program);
    ASSERT_TRUE(first.started());
    EXPECT_EQ(1, first.WaitForExit());
    EXPECT_EQ(installed, BootDir());
    EXPECT_TRUE(testfiles::Exists(COPY));
    HWND dialog = FindSelectionDialog();
    ASSERT_TRUE(dialog);
    EXPECT_NE(first.id(), ProcessOf(dialog));
    EXPECT_EQ(1, CancelAndWait(dialog));
    EXPECT_FALSE(testreg::Read(HKEY_LOCAL_MACHINE, INSTALL_KEY, "BootDir").present);
    EXPECT_TRUE(testreg::KeyExists(HKEY_LOCAL_MACHINE, INSTALL_KEY));
}

TEST_F(UninstallerE2E, RunFromTheWindowsDirectoryInCapitalsIsTheCopy)
{
    driver::Program copy(program, "C:\\WINDOWS");
    ASSERT_TRUE(copy.started());
    HWND dialog = FindSelectionDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(copy.id(), ProcessOf(dialog));
    EXPECT_FALSE(testfiles::Exists(COPY));
    EXPECT_EQ("", BootDir());
    EXPECT_EQ(1, CancelAndWait(dialog));
}

TEST_F(UninstallerE2E, FolderWithoutTheProgramFileCannotStartTheCopy)
{
    testfiles::ScratchFolder empty("nrxdel_empty");
    driver::Program first(program, empty.path());
    ASSERT_TRUE(first.started());
    driver::BoxAnswerer answerer(first.id());
    answerer.Queue(IDOK);
    ASSERT_TRUE(answerer.WaitForBoxes(1));
    driver::SeenBox box = answerer.Seen()[0];
    EXPECT_EQ(TITLE, box.title);
    EXPECT_EQ("ｱﾝｲﾝｽﾄｰﾗを起動できません。\nｱﾝｲﾝｽﾄｰﾙを中止します。", box.text);
    EXPECT_EQ(0, first.WaitForExit());
    EXPECT_FALSE(testfiles::Exists(COPY));
    EXPECT_EQ(empty.path(), BootDir());
}

// Fault matrix: a second start and the end of the session while the copy's
// selection dialog is open; neither changes anything.
TEST_F(UninstallerE2E, FaultMatrixWhileTheSelectionDialogIsOpen)
{
    const matrix::Watched watched = {{{HKEY_LOCAL_MACHINE, "HKLM", NORIX_KEY}}, {folder.path()}};
    struct Case {
        const char* what;
        std::function<void(HWND dialog)> meet;
    } cases[] = {
        {"NRXDEL e2e: a second start while the selection dialog is open",
         [&](HWND) {
             driver::Program second(program);
             driver::BoxAnswerer boxes(second.id());
             boxes.Queue(IDOK);
             EXPECT_EQ(0, second.WaitForExit());
             ASSERT_EQ(1u, boxes.Seen().size());
             EXPECT_EQ("ｱﾝｲﾝｽﾄｰﾗを起動できません。\nｱﾝｲﾝｽﾄｰﾙを中止します。", boxes.Seen()[0].text);
         }},
        {"NRXDEL e2e: WM_QUERYENDSESSION while the selection dialog is open",
         [](HWND dialog) {
             DWORD_PTR answer = 0;
             EXPECT_TRUE(SendMessageTimeoutA(dialog, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 3000, &answer));
             EXPECT_EQ(TRUE, (BOOL)answer) << "the session may end";
         }},
    };
    for (const Case& c : cases) {
        matrix::Case(c.what, 15000, [&] {
            driver::Program first(program);
            EXPECT_EQ(1, first.WaitForExit());
            HWND dialog = FindSelectionDialog();
            ASSERT_TRUE(dialog);
            matrix::Snapshot before = matrix::Take(watched);
            c.meet(dialog);
            EXPECT_TRUE(IsWindowVisible(dialog));
            EXPECT_EQ("", matrix::ChangesOutside(before, matrix::Take(watched), matrix::Within({})));
            EXPECT_EQ(1, CancelAndWait(dialog));
        });
    }
}

}  // namespace
