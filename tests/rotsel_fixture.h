// ROTSEL run in-process as Windows 98, on a scratch registry laid out as a
// machine with the vendor's adapter and the standard driver loaded, and on
// the simulated LCD panel. Dialogs run modally on the test thread while
// another thread plays the user. ExitWindowsEx is never called for real:
// the fixture replaces this executable's import of it, and NRXCHG32.DLL is
// the test double, which logs RestartWindows.
#ifndef TESTS_ROTSEL_FIXTURE_H
#define TESTS_ROTSEL_FIXTURE_H

#include "box_answerer.h"
#include "driver.h"
#include "import_hook.h"
#include "lcd_registry_layout.h"
#include "registry_tree.h"
#include "restart_now.h"
#include "scratch_files.h"
#include "startup.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

const char TITLE[] = "LCDﾄﾞﾗｲﾊﾞの切り替え";
const char RESTART_LOG[] = WINE_BUILD_DIR "\\tests\\rotsel_unit.log";
const char DEFAULT_KEY[] = "System\\CurrentControlSet\\Services\\Class\\DISPLAY\\0001\\DEFAULT";
const int CHECK_BOX = 1000;
const int NO_PANEL_TEXT = 1008;

struct ExitCall {
    UINT flags;
    DWORD reserved;
};
std::vector<ExitCall> exitCalls;

BOOL WINAPI RecordExitWindowsEx(UINT flags, DWORD reserved)
{
    exitCalls.push_back({flags, reserved});
    return TRUE;
}

typedef HMODULE(WINAPI* LoadLibraryAFunction)(LPCSTR);
LoadLibraryAFunction realLoadLibraryA = NULL;
// Where NRXCHG32.DLL is loaded from; empty: where the system finds it (the
// test double beside this executable).
std::string libraryPath;
// How many registry writes had been made when NRXCHG32.DLL was loaded.
size_t writesBeforeRestart;
const testreg::WriteRecorder* recorder = NULL;

HMODULE WINAPI RedirectLoadLibraryA(LPCSTR name)
{
    if (lstrcmpiA(name, "NRXCHG32.DLL") == 0) {
        writesBeforeRestart = recorder ? recorder->writes().size() : 0;
        if (!libraryPath.empty())
            name = libraryPath.c_str();
    }
    return realLoadLibraryA(name);
}

class Rotsel98 : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(exitHook.installed());
        ASSERT_TRUE(loadHook.installed());
        realLoadLibraryA = loadHook.original<LoadLibraryAFunction>();
        exitCalls.clear();
        libraryPath.clear();
        writesBeforeRestart = 0;
        lcdreg::PortraitInstallation();
        lcdreg::AddDriver("DISPLAY\\0001", "VGA.DRV");
        DeleteFileA(RESTART_LOG);
        SetEnvironmentVariableA("NRXCHG32_LOG", RESTART_LOG);
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("NRXCHG32_LOG", NULL);
        DeleteFileA(RESTART_LOG);
    }
    // Runs the program while `play` acts on its dialog once it shows; a
    // dialog left open is cancelled. The exit code.
    int Run(std::function<void(HWND)> play)
    {
        boxes.Queue(driver::HOLD);
        std::thread player([&] {
            HWND dialog = driver::WaitForDialog(GetCurrentProcessId(), TITLE);
            ASSERT_TRUE(dialog);
            ASSERT_TRUE(driver::WaitFor([&] { return IsWindowVisible(dialog) != FALSE; }));
            play(dialog);
            if (IsWindow(dialog))
                driver::PostCommand(dialog, IDCANCEL);
        });
        int code = RunRotsel(GetModuleHandleA(NULL));
        player.join();
        return code;
    }
    void Panel(const char* name, DWORD value)
    {
        testreg::WriteDword(HKEY_CURRENT_USER, lcdreg::PANEL_KEY, name, value);
    }
    std::string RestartLog() { return testfiles::Read(RESTART_LOG); }
    testreg::ScratchRegistry registry;
    driver::BoxAnswerer boxes;
    testbed::ImportHook exitHook{"USER32.dll", "ExitWindowsEx", (void*)RecordExitWindowsEx};
    testbed::ImportHook loadHook{"KERNEL32.dll", "LoadLibraryA", (void*)RedirectLoadLibraryA};
};

}  // namespace

#endif
