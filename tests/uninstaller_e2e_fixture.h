// The fixture of NRXDEL.EXE's end-to-end tests: the program installed in a
// scratch folder beside the test double of NRXCHG32.DLL, an installer's key
// in the prefix, and everything the runs leave (the copy in the Windows
// directory, the key) taken away afterwards.
#ifndef TESTS_UNINSTALLER_E2E_FIXTURE_H
#define TESTS_UNINSTALLER_E2E_FIXTURE_H

#include "box_answerer.h"
#include "driver.h"
#include "scratch_files.h"
#include "scratch_registry.h"

#include <gtest/gtest.h>

#include <string>

namespace uninstaller_e2e {

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
inline HWND FindSelectionDialog()
{
    HWND dialog = NULL;
    driver::WaitFor([&] { return (dialog = FindWindowA("#32770", TITLE)) != NULL; });
    return dialog;
}

// Cancels the dialog and returns its process's exit code; -1 if it did not end.
inline int CancelAndWait(HWND dialog)
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

inline DWORD ProcessOf(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

inline std::string BootDir()
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

}  // namespace uninstaller_e2e

#endif
