// PIVOTER's switching run inside the test process: the simulated LCD panel
// configured in a scratch registry, the simulated adapter's modes listed as
// each test sets them up, a simulated pointer, and a mode-search table that
// both platforms' tests walk.
#ifndef TESTS_PANEL_FIXTURE_H
#define TESTS_PANEL_FIXTURE_H

#include "lcd_registry_layout.h"
#include "panel_switching.h"
#include "program_state.h"
#include "simulated_display.h"
#include "simulated_lcd_screen.h"
#include "vendor_identification.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct ListedMode {
    DWORD width, height, bits, refresh;
};

// One toggle from landscape 0x01 to portrait: which listed mode it sets.
struct ModeCase {
    const char* name;
    DWORD reportedState;  // with caps 0x81
    DWORD replyBits, replyRefresh;
    std::vector<ListedMode> modes;
    int setMode;  // index into `modes`, -1 for none
};

class PanelFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Program.instance = GetModuleHandleA(NULL);
        Restart();
    }
    void TearDown() override { ReleasePanelSettingsKey(); }

    // As if the program had just started, on a panel of the test bed's defaults.
    void Restart()
    {
        ReleasePanelSettingsKey();
        Switching = {{0, 0, 0, 0}, 0, PANEL_LCD, NULL};
        simulated::Reset();
        simulated::LcdPointer() = {5, 5};
        testreg::DeleteTree(HKEY_CURRENT_USER, lcdreg::PANEL_KEY);
        HKEY settings = OpenPanelSettingsKey();
        if (settings) {
            RegDeleteValueA(settings, "LCDStatus");
            RegCloseKey(settings);
        }
    }
    void Panel(const char* name, DWORD value)
    {
        testreg::WriteDword(HKEY_CURRENT_USER, lcdreg::PANEL_KEY, name, value);
    }
    DWORD PanelValue(const char* name)
    {
        return lcdreg::DwordOf(testreg::Read(HKEY_CURRENT_USER, lcdreg::PANEL_KEY, name));
    }
    // "LCDStatus" as stored, 0xDEADBEEF when missing.
    DWORD Stored()
    {
        HKEY settings = OpenPanelSettingsKey();
        DWORD status = 0xDEADBEEF;
        DWORD size = sizeof(status);
        if (settings) {
            RegQueryValueExA(settings, "LCDStatus", NULL, NULL, (BYTE*)&status, &size);
            RegCloseKey(settings);
        }
        return status;
    }
    void List(const std::vector<ListedMode>& modes)
    {
        for (const ListedMode& mode : modes)
            simulated::AddMode(mode.width, mode.height, mode.bits, mode.refresh);
    }
    void RunModeCases(const std::vector<ModeCase>& cases)
    {
        for (const ModeCase& c : cases) {
            SCOPED_TRACE(c.name);
            Restart();
            Panel("state", c.reportedState);
            Panel("bitsPerPixel", c.replyBits);
            Panel("refresh", c.replyRefresh);
            List(c.modes);
            TogglePanelOrientation(NULL);
            EXPECT_EQ(0x81u, Stored());
            const std::vector<simulated::ChangeCall>& calls = simulated::TheAdapter().calls;
            if (c.setMode < 0) {
                EXPECT_TRUE(calls.empty());
                EXPECT_EQ(5, simulated::LcdPointer().x);
                continue;
            }
            ASSERT_EQ(1u, calls.size());
            const ListedMode& wanted = c.modes[c.setMode];
            EXPECT_EQ(wanted.width, calls[0].width);
            EXPECT_EQ(wanted.height, calls[0].height);
            EXPECT_EQ(wanted.bits, calls[0].bitsPerPixel);
            EXPECT_EQ((DWORD)CDS_RESET, calls[0].flags);
            EXPECT_EQ(0, simulated::LcdPointer().x);
            EXPECT_EQ(0, simulated::LcdPointer().y);
            // The panel took the stored state into effect.
            EXPECT_EQ(0x81u, PanelValue("state"));
        }
    }
    testreg::ScratchRegistry registry;
};

#endif
