// The shipped programs' own entry point (no C runtime) gives WinMain what the
// runtime's would: the instance, the command line after the program name and
// the starter's show command; and the process ends with WinMain's result.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const char PROBE[] = WINE_BUILD_DIR "\\tests\\ENTRY_PROBE.EXE";

// Runs the probe and returns its exit code; -1 when it did not end.
int RunProbe(const std::string& commandLine, bool withShowCommand, WORD showCommand)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    if (withShowCommand) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = showCommand;
    }
    std::string line = commandLine;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(PROBE, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return -1;
    DWORD code = (DWORD)-1;
    if (WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return (int)code;
}

TEST(ProgramEntry, PassesTheShowCommandTheCommandLineAndTheInstance)
{
    const int expectedLine = 0x100, expectedInstance = 0x200;
    EXPECT_EQ(expectedInstance | expectedLine | SW_SHOWMINNOACTIVE,
              RunProbe("\"C:\\some dir\\ENTRY_PROBE.EXE\"  alpha \"b c\"", true, SW_SHOWMINNOACTIVE));
    EXPECT_EQ(expectedInstance | expectedLine | SW_HIDE,
              RunProbe("ENTRY_PROBE.EXE\talpha \"b c\"", true, SW_HIDE));
    // Without STARTF_USESHOWWINDOW the program gets the default.
    EXPECT_EQ(expectedInstance | SW_SHOWDEFAULT, RunProbe("ENTRY_PROBE.EXE", false, 0));
}

}  // namespace
