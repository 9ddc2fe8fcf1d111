// NRXDEL.EXE end to end in the prefix: the first run records its folder,
// copies itself into the real Windows directory and starts the copy, which
// shows the selection dialog; a run from the Windows directory (in another
// letter case) is the copy itself; a folder without the program file stops.
// The prefix's registry key, the copy and the folders go again afterwards.
#include "box_answerer.h"
#include "driver.h"
#include "fault_matrix.h"
#include "scratch_files.h"
#include "scratch_registry.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

const char BUILT[] = WINE_BUILD_DIR "\\bin\\NRXDEL.EXE";
const char COPY[] = "C:\\windows\\NRXDEL.EXE";
// The test double of the library the program binds at load time, beside the
// program and beside its copy; never the real one, which restarts Windows.
const char DOUBLE[] = WINE_BUILD_DIR "\\tests\\NRXCHG32.DLL";
const char COPY_LIBRARY[] = "C:\\windows\\NRXCHG32.DLL";
const char NORIX_KEY[] = "Software\\NORIX";
const char INSTALL_KEY[] = "Software\\NORIX\\DISPLAY";
const char TITLE[] = "ｱﾝｲﾝｽﾄｰﾙ";

// The selection dialog of whichever process shows it.
HWND FindSelectionDialog()
{
    HWND dialog = NULL;
    driver::WaitFor([&] { return (dialog = FindWindowA("#32770", TITLE)) != NULL; });
    return dialog;
}

// Cancels the dialog and returns its process's exit code; -1 if it did not end.
int CancelAndWait(HWND dialog)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(dialog, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (!process)
        return -1;
    driver::PostCommand(dialog, IDCANCEL);
    DWORD code = (DWORD)-1;
    if (WaitForSingleObject(process, driver::DEFAULT_TIMEOUT) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return (int)code;
}

DWORD ProcessOf(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

std::string BootDir()
{
    return testreg::Read(HKEY_LOCAL_MACHINE, INSTALL_KEY, "BootDir").text();
}

class UninstallerE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(testfiles::Exists(COPY)) << "the Windows directory holds an NRXDEL.EXE";
        ASSERT_FALSE(testfiles::Exists(COPY_LIBRARY)) << "the Windows directory holds an NRXCHG32.DLL";
        ASSERT_FALSE(FindWindowA("#32770", TITLE));
        hadNorixKey = testreg::KeyExists(HKEY_LOCAL_MACHINE, NORIX_KEY);
        hadInstallKey = testreg::KeyExists(HKEY_LOCAL_MACHINE, INSTALL_KEY);
        // An installer made the key; the first run only writes into it.
        ASSERT_TRUE(testreg::WriteString(HKEY_LOCAL_MACHINE, INSTALL_KEY, "e2e", "x"));
        ASSERT_TRUE(testfiles::MakeFolder(installed));
        ASSERT_TRUE(CopyFileA(BUILT, program.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(DOUBLE, (installed + "\\NRXCHG32.DLL").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(DOUBLE, COPY_LIBRARY, TRUE));
    }
    void TearDown() override
    {
        HWND left = FindWindowA("#32770", TITLE);
        if (left)
            CancelAndWait(left);
        driver::WaitFor([] {
            testfiles::Remove(COPY);
            testfiles::Remove(COPY_LIBRARY);
            return !testfiles::Exists(COPY) && !testfiles::Exists(COPY_LIBRARY);
        });
        if (!hadNorixKey)
            testreg::DeleteTree(HKEY_LOCAL_MACHINE, NORIX_KEY);
        else if (!hadInstallKey)
            testreg::DeleteTree(HKEY_LOCAL_MACHINE, INSTALL_KEY);
        else
            RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, INSTALL_KEY, "e2e");
    }
    testfiles::ScratchFolder folder{"nrxdel_e2e"};
    std::string installed = folder / "QX-S R2";
    std::string program = installed + "\\NRXDEL.EXE";
    bool hadNorixKey = false, hadInstallKey = false;
};

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
