// The uninstaller's logic run inside the test process: a scratch registry,
// a scratch folder standing for the Windows directory, UninstallerState
// pointed at it and reset before each test.
#ifndef TESTS_UNINSTALLER_FIXTURE_H
#define TESTS_UNINSTALLER_FIXTURE_H

#include "scratch_files.h"
#include "scratch_registry.h"
#include "uninstaller_state.h"

#include <gtest/gtest.h>

#include <string>

class InProcessUninstaller : public ::testing::Test {
protected:
    void SetUp() override
    {
        GetCurrentDirectoryA(sizeof(currentDirectory), currentDirectory);
        ZeroMemory(&Uninstaller, sizeof(Uninstaller));
        Uninstaller.restartNeeded = 1;
        Uninstaller.machineType = MACHINE_PCAT;
        Uninstaller.instance = GetModuleHandleA(NULL);
        SetWindowsDirectory(windows.path());
    }
    void TearDown() override { SetCurrentDirectoryA(currentDirectory); }

    static void SetWindowsDirectory(const std::string& path)
    {
        lstrcpynA(Uninstaller.windowsDirectory, path.c_str(), PATH_SIZE);
    }
    std::string PendingFile() const { return windows / "wininit.ini"; }

    testreg::ScratchRegistry registry;
    testfiles::ScratchFolder windows{"nrxdel_windows"};
    char currentDirectory[MAX_PATH];
};

#endif
