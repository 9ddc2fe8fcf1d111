// The main function of a test program whose tests run with the Windows NT
// version. Wine gives a program the version named under HKEY_CURRENT_USER
// "Software\Wine\AppDefaults\<exe name>" "Version", taken when the process
// starts; so the program names that for itself, starts itself again, and
// the copy removes the name as soon as it runs, before any test (the first
// removes what is left when the copy ends).
#include "registry_restorer.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

bool IsWindowsNt()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExA(&version);
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

std::string ProgramFileName()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, sizeof(path));
    std::string program(path, length);
    return program.substr(program.find_last_of('\\') + 1);
}

int RunAgainAsWindowsNt()
{
    testreg::RegistryRestorer restorer;  // AppDefaults too, when it is new
    testreg::RunProgramAs(restorer, ProgramFileName(), "winxp");
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string commandLine = GetCommandLineA();
    if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process))
        return 2;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 2;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return (int)code;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!IsWindowsNt())
        return RunAgainAsWindowsNt();
    RegDeleteKeyA(HKEY_CURRENT_USER, testreg::AppDefaultsKey(ProgramFileName()).c_str());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
