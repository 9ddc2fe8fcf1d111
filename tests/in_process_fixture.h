// The resolution changer's shell run inside the test process, on the
// simulated adapter and a scratch registry: window classes registered before
// each test; the tool window destroyed and its messages cleared after it.
// Every box the test shows is answered by `boxes` as queued; an unexpected
// one fails the test instead of blocking it.
#ifndef TESTS_IN_PROCESS_FIXTURE_H
#define TESTS_IN_PROCESS_FIXTURE_H

#include "box_answerer.h"
#include "mode_tables.h"
#include "scratch_registry.h"
#include "shell_state.h"
#include "simulated_display.h"
#include "startup.h"

#include <gtest/gtest.h>

class InProcessProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        Shell.instance = GetModuleHandleA(NULL);
        Shell.toolWindowVisible = 1;
        Shell.quickChangeAvailable = 0;
        RegisterWindowClasses(Shell.instance);
        simulated::Reset();
    }
    void TearDown() override
    {
        if (IsWindow(Shell.toolWindow))
            DestroyWindow(Shell.toolWindow);
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
            ;
    }
    // The tool window as a start with the stored settings creates it.
    HWND CreateStoredToolWindow()
    {
        LoadStoredSettings(&stored);
        return CreateToolWindow(stored);
    }
    testreg::ScratchRegistry registry;
    StoredWindow stored;
    driver::BoxAnswerer boxes;
};

#endif
