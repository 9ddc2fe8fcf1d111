// The fixture of NRXVGCHG.EXE's end-to-end tests: the program copied into a
// folder of its own beside the real stand-in library, its settings key
// cleared around each test, and the ways a user reaches it.
#ifndef TESTS_RESOLUTION_CHANGER_FIXTURE_H
#define TESTS_RESOLUTION_CHANGER_FIXTURE_H

#include "driver.h"
#include "fault_matrix.h"
#include "scratch_registry.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace e2e {

using driver::VisibleMenu;

const char FOLDER[] = "C:\\nrxe2e";
const char PROGRAM[] = "C:\\nrxe2e\\NRXVGCHG.EXE";
const char KEY[] = "Software\\NORIX\\Resolva";
const char TOOL_CLASS[] = "NRXTOOLWND";
const char TITLE[] = "ﾉﾘｯｸｽ";
const UINT WM_TRAYICON = 0x0800;
const int TRAY_ICON_ID = 11;

// The menu command of a mode: the program keeps the first 20 modes of an
// accepted depth that the system lists, sorted by depth, width and height.
inline int MenuIdFor(DWORD width, DWORD height, DWORD bits)
{
    std::vector<std::tuple<DWORD, DWORD, DWORD>> modes;
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    for (DWORD n = 0; modes.size() < 20 && EnumDisplaySettingsA(NULL, n, &mode); ++n)
        if (mode.dmBitsPerPel == 8 || mode.dmBitsPerPel == 16 || mode.dmBitsPerPel == 32)
            modes.emplace_back(mode.dmBitsPerPel, mode.dmPelsWidth, mode.dmPelsHeight);
    std::sort(modes.begin(), modes.end());
    modes.erase(std::unique(modes.begin(), modes.end()), modes.end());
    auto found = std::find(modes.begin(), modes.end(), std::make_tuple(bits, width, height));
    return found == modes.end() ? -1 : 2000 + (int)(found - modes.begin());
}

using driver::ScreenIs;

inline bool ScreenBecomes(int width, int height, DWORD timeout = driver::DEFAULT_TIMEOUT)
{
    return driver::WaitFor([&] { return ScreenIs(width, height); }, timeout);
}

// What the program may touch, dumped for the fault matrix: the vendor's keys
// and the program's folder.
inline matrix::Snapshot Footprint()
{
    return matrix::Take({{{HKEY_CURRENT_USER, "HKCU", "Software\\NORIX"}, {HKEY_LOCAL_MACHINE, "HKLM", "Software\\NORIX"}},
                         {FOLDER}});
}

// Every change since `before` but the program's settings.
inline std::string ChangesBesideSettings(const matrix::Snapshot& before)
{
    return matrix::ChangesOutside(before, Footprint(), matrix::Within({"HKCU\\Software\\NORIX\\Resolva"}));
}

class ResolutionChangerE2E : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CreateDirectoryA(FOLDER, NULL);
        ASSERT_TRUE(CopyFileA(WINE_BUILD_DIR "\\bin\\NRXVGCHG.EXE", PROGRAM, FALSE));
        ASSERT_TRUE(CopyFileA(WINE_BUILD_DIR "\\bin\\NRXCHG32.DLL", "C:\\nrxe2e\\NRXCHG32.DLL", FALSE));
    }
    void SetUp() override
    {
        ASSERT_EQ(1024, GetSystemMetrics(SM_CXSCREEN)) << "the test bed's desktop is 1024x768";
        testreg::DeleteTree(HKEY_CURRENT_USER, KEY);
    }
    void TearDown() override
    {
        testreg::DeleteTree(HKEY_CURRENT_USER, KEY);
        // Later tests need the test bed's desktop as it was.
        if (!ScreenIs(1024, 768))
            driver::SetScreen(1024, 768);
    }

    // Starts the program and waits for its tool window (shown or not).
    HWND Start(driver::Program& program)
    {
        EXPECT_TRUE(program.started());
        EXPECT_TRUE(program.WaitUntilIdle());
        HWND window = driver::WaitForWindow(program.id(), TOOL_CLASS, TITLE);
        EXPECT_TRUE(window) << "no tool window";
        return window;
    }
    // IDM_EXIT, then the exit code.
    int Exit(driver::Program& program, HWND window)
    {
        PostMessageA(window, WM_COMMAND, 106, 0);
        return program.WaitForExit();
    }
    void CloseMenu(DWORD processId)
    {
        HWND menu = VisibleMenu(processId);
        if (menu)
            PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(driver::WaitFor([&] { return VisibleMenu(processId) == NULL; }));
    }
};

}  // namespace e2e

#endif
