// The fixture of ROTSEL.EXE's end-to-end tests: its testbed build and the
// shipped image beside the test double of NRXCHG32.DLL, the restart log, the
// vendor's registry laid out in the prefix and put back afterwards.
#ifndef TESTS_ROTSEL_E2E_FIXTURE_H
#define TESTS_ROTSEL_E2E_FIXTURE_H

#include "box_answerer.h"
#include "driver.h"
#include "lcd_registry_layout.h"
#include "registry_restorer.h"
#include "registry_tree.h"
#include "scratch_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rotsel_e2e {

const char TESTBED[] = WINE_BUILD_DIR "\\tests\\lcd_testbed\\ROTSEL.EXE";
const char SHIPPED[] = WINE_BUILD_DIR "\\bin\\ROTSEL.EXE";
const char DOUBLE[] = WINE_BUILD_DIR "\\tests\\NRXCHG32.DLL";
const char RESTART_LOG[] = WINE_BUILD_DIR "\\tests\\rotsel_e2e.log";
const std::string APP_DEFAULTS = testreg::AppDefaultsKey("ROTSEL.EXE");
const char TITLE[] = "LCDﾄﾞﾗｲﾊﾞの切り替え";
const char MAIN_CLASS[] = "RotselMainClass";
const char CLASS_KEY[] = "System\\CurrentControlSet\\Services\\Class\\DISPLAY\\0001";
const char UTILITY[] = "HKLM\\System\\CurrentControlSet\\Services\\Class\\DISPLAY\\0001\\UTILITY";
const char DEFAULT[] = "HKLM\\System\\CurrentControlSet\\Services\\Class\\DISPLAY\\0001\\DEFAULT";
const char DIRECTION[] = "HKCU\\Software\\NORIX\\NRXLCD\\Direction";
const int CHECK_BOX = 1000;
const int NO_PANEL_TEXT = 1008;

// Where ROTSEL may write: the adapter's class key and the vendor's user key.
const std::vector<testreg::Subtree> SUBTREES = {
    {HKEY_LOCAL_MACHINE, "HKLM", CLASS_KEY},
    {HKEY_CURRENT_USER, "HKCU", "Software\\NORIX"},
};

enum Driver { STANDARD, PORTRAIT };

// The vendor's adapter with its switching information, "Direction" ON, a
// landscape "LCDStatus", and the standard driver VGA.DRV or the portrait
// driver (in lower case) loaded.
inline void LayOut(Driver loaded)
{
    lcdreg::PortraitInstallation();
    if (loaded == STANDARD) {
        lcdreg::AddDriver("DISPLAY\\0001", "VGA.DRV");
    } else {
        lcdreg::AddDriver("DISPLAY\\0001", "nrxlcd.drv");
        lcdreg::SetDriverName("vga.drv");
    }
    testreg::WriteString(HKEY_CURRENT_USER, lcdreg::DIRECTION_KEY, "", "ON");
    testreg::WriteDword(HKEY_LOCAL_MACHINE, lcdreg::UtilityKey("DISPLAY\\0001").c_str(), "LCDStatus", 0x13);
}

inline testreg::TreeEntry Status(DWORD status)
{
    return testreg::ValueEntry(UTILITY, "LCDStatus", REG_DWORD,
                               std::vector<BYTE>((BYTE*)&status, (BYTE*)&status + 4));
}

class RotselE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        restorer.Key(HKEY_DYN_DATA, "Config Manager\\Enum\\NRX0000");
        restorer.Key(HKEY_LOCAL_MACHINE, "Enum\\PCI\\VEN_10F0&DEV_0104");
        restorer.Key(HKEY_LOCAL_MACHINE, CLASS_KEY);
        restorer.Key(HKEY_CURRENT_USER, lcdreg::NRXLCD_KEY);
        restorer.Key(HKEY_CURRENT_USER, lcdreg::PANEL_KEY);
        restorer.Key(HKEY_CURRENT_USER, APP_DEFAULTS);
        DeleteFileA(RESTART_LOG);
        SetEnvironmentVariableA("NRXCHG32_LOG", RESTART_LOG);
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("NRXCHG32_LOG", NULL);
        DeleteFileA(RESTART_LOG);
    }
    // Empties what a case of a table laid out.
    void Clear()
    {
        testreg::DeleteTree(HKEY_DYN_DATA, "Config Manager\\Enum\\NRX0000");
        testreg::DeleteTree(HKEY_LOCAL_MACHINE, CLASS_KEY);
        testreg::DeleteTree(HKEY_CURRENT_USER, lcdreg::NRXLCD_KEY);
        testreg::DeleteTree(HKEY_CURRENT_USER, APP_DEFAULTS.c_str());
        DeleteFileA(RESTART_LOG);
    }
    // The shipped image, copied beside the test double.
    std::string Shipped()
    {
        std::string program = shipped / "ROTSEL.EXE";
        EXPECT_TRUE(CopyFileA(SHIPPED, program.c_str(), FALSE));
        EXPECT_TRUE(CopyFileA(DOUBLE, (shipped / "NRXCHG32.DLL").c_str(), FALSE));
        return program;
    }
    // The program's dialog, once it shows.
    HWND WaitForSwitchDialog(driver::Program& program)
    {
        HWND dialog = driver::WaitForDialog(program.id(), TITLE);
        EXPECT_TRUE(driver::WaitFor([&] { return IsWindowVisible(dialog) != FALSE; })) << "no dialog";
        return dialog;
    }
    void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
    testreg::RegistryRestorer restorer;
    testfiles::ScratchFolder shipped{"rotsel_shipped"};
};

}  // namespace rotsel_e2e

#endif
