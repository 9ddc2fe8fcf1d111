// The fixture of PIVOTER.EXE's end-to-end tests: both builds, the vendor's
// registry laid out in the prefix and put back afterwards, the desktop left
// at 1024x768, and the ways a user reaches the program.
#ifndef TESTS_PIVOTER_E2E_FIXTURE_H
#define TESTS_PIVOTER_E2E_FIXTURE_H

#include "box_answerer.h"
#include "driver.h"
#include "lcd_registry_layout.h"
#include "registry_restorer.h"

#include <gtest/gtest.h>

#include <string>

namespace pivoter_e2e {

const char SHIPPED[] = WINE_BUILD_DIR "\\bin\\PIVOTER.EXE";
const char TESTBED[] = WINE_BUILD_DIR "\\tests\\lcd_testbed\\PIVOTER.EXE";
const char MAIN_CLASS[] = "PivoterMainClass";
const char MENU_CLASS[] = "PivoterMenuClass";
const char TITLE[] = "LCD ﾚｿﾞﾙｳﾞｧ";
const UINT WM_TRAYICON = 0x0800;
const WPARAM TRAY_ICON_ID = 106;

using driver::ScreenIs;
using driver::SetScreen;
using driver::VisibleMenu;

inline bool TrayIconShown(HWND window)
{
    return driver::TrayIconShown(window, TRAY_ICON_ID);
}

class PivoterE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ScreenIs(1024, 768)) << "the test bed's desktop is 1024x768";
        restorer.Key(HKEY_DYN_DATA, "Config Manager\\Enum\\NRX0000");
        restorer.Key(HKEY_LOCAL_MACHINE, "Enum\\PCI\\VEN_10F0&DEV_0104");
        restorer.Key(HKEY_LOCAL_MACHINE, std::string(lcdreg::CLASS_ROOT) + "DISPLAY\\0001");
        restorer.Key(HKEY_CURRENT_USER, lcdreg::NRXLCD_KEY);
        restorer.Key(HKEY_CURRENT_USER, lcdreg::PANEL_KEY);
    }
    void TearDown() override
    {
        if (!ScreenIs(1024, 768))
            SetScreen(1024, 768);
    }
    void Panel(const char* name, DWORD value)
    {
        testreg::WriteDword(HKEY_CURRENT_USER, lcdreg::PANEL_KEY, name, value);
    }
    // Gives PIVOTER.EXE (both builds) the Windows NT version, and creates the
    // key its NT walk makes of the video device map.
    void RunAsWindowsNt()
    {
        testreg::RunProgramAs(restorer, "PIVOTER.EXE", "winxp");
        ntSettingsKey = lcdreg::NtSettingsKey();
        ASSERT_FALSE(ntSettingsKey.empty()) << "no video device map";
        restorer.Key(HKEY_LOCAL_MACHINE, ntSettingsKey);
        testreg::WriteString(HKEY_LOCAL_MACHINE, ntSettingsKey.c_str(), "Service", "e2e");
    }
    DWORD NtLcdStatus()
    {
        return lcdreg::DwordOf(testreg::Read(HKEY_LOCAL_MACHINE, ntSettingsKey.c_str(), "LCDStatus"));
    }
    // Starts the program and waits for its hidden main window.
    HWND Start(driver::Program& program)
    {
        EXPECT_TRUE(program.started());
        EXPECT_TRUE(program.WaitUntilIdle());
        HWND window = driver::WaitForWindow(program.id(), MAIN_CLASS, NULL);
        EXPECT_TRUE(window) << "no main window";
        return window;
    }
    void Click(HWND window, UINT mouseMessage)
    {
        PostMessageA(window, WM_TRAYICON, TRAY_ICON_ID, mouseMessage);
    }
    HWND WaitForMenu(DWORD processId)
    {
        HWND menu = NULL;
        driver::WaitFor([&] { return (menu = VisibleMenu(processId)) != NULL; });
        return menu;
    }
    // A right click on the icon, then the menu it opens.
    HWND OpenMenu(driver::Program& program, HWND window)
    {
        Click(window, WM_RBUTTONUP);
        return WaitForMenu(program.id());
    }
    bool MenuOwnersGone(driver::Program& program)
    {
        return driver::WaitFor([&] { return driver::ProcessWindows(program.id(), MENU_CLASS).empty(); });
    }
    // 終了's command, then the exit code.
    int Exit(driver::Program& program, HWND window)
    {
        PostMessageA(window, WM_COMMAND, 5, 0);
        return program.WaitForExit();
    }
    void PressInMenu(HWND menu, std::initializer_list<WPARAM> keys)
    {
        for (WPARAM key : keys)
            PostMessageA(menu, WM_KEYDOWN, key, 0);
    }
    testreg::RegistryRestorer restorer;
    std::string ntSettingsKey;
};

}  // namespace pivoter_e2e

#endif
