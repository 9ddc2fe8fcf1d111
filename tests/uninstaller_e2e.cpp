// NRXDEL.EXE end to end in the prefix: the first run records its folder,
// copies itself into the real Windows directory and starts the copy, which
// shows the selection dialog; a run from the Windows directory (in another
// letter case) is the copy itself; a folder without the program file stops.
// The prefix's registry key, the copy and the folders go again afterwards.
#include "uninstaller_e2e_fixture.h"

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

}  // namespace
