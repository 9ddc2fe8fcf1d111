// PIVOTER's orientation switching in-process on Windows 98: the panel state
// rules, what is stored, which mode is set again, the failure message, the
// pointer kept over the tray, and the tray menu.
#include "box_answerer.h"
#include "main_window.h"
#include "panel_fixture.h"
#include "startup.h"
#include "tray_menu.h"

namespace {

class PanelSwitching98 : public PanelFixture {
protected:
    void SetUp() override
    {
        PanelFixture::SetUp();
        lcdreg::PortraitInstallation();
    }
};

struct ToggleCase {
    const char* name;
    DWORD caps, state;
    DWORD panelWidth, panelHeight;  // against a 1024x768 screen
    DWORD first, second;            // stored by two toggles, the driver reporting each
};

TEST_F(PanelSwitching98, StateRules)
{
    const ToggleCase cases[] = {
        {"plain landscape", 0x81, 0x01, 1024, 768, 0x81, 0x01},
        {"started in portrait", 0x81, 0x81, 1024, 768, 0x01, 0x81},
        {"both outputs, refined", 0x93, 0x13, 1024, 768, 0x81, 0x13},
        {"without 0x04, option never stored", 0x83, 0x0D, 1024, 768, 0x81, 0x01},
        {"without 0x80, portrait reported", 0x03, 0x81, 1024, 768, 0x81, 0x81},
        {"no LCD, portrait reported", 0x02, 0x81, 1024, 768, 0x81, 0x81},
        {"option kept, panel larger", 0x87, 0x05, 1280, 1024, 0x81, 0x05},
        {"option kept, panel only taller", 0x87, 0x05, 1024, 1024, 0x81, 0x05},
        {"option fixed off, panel fits", 0x87, 0x05, 1024, 768, 0x81, 0x01},
        {"option on with LCD off", 0x87, 0x02, 1024, 768, 0x81, 0x06},
        {"option with both outputs", 0x87, 0x03, 1024, 768, 0x81, 0x03},
        {"option cleared by both-outputs mode", 0x97, 0x17, 1024, 768, 0x81, 0x13},
    };
    for (const ToggleCase& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        Panel("caps", c.caps);
        Panel("state", c.state);
        Panel("panelWidth", c.panelWidth);
        Panel("panelHeight", c.panelHeight);
        TogglePanelOrientation(NULL);
        EXPECT_EQ(c.first, Stored());
        Panel("state", c.first);
        TogglePanelOrientation(NULL);
        EXPECT_EQ(c.second, Stored());
    }
}

TEST_F(PanelSwitching98, OutputsAddedOnlyWhenNoneReported)
{
    PanelState lcdOnly = {0x81, 0x01, 1024, 768};
    NormalizePanelState(&lcdOnly);
    EXPECT_EQ(0x81u, lcdOnly.caps);
    PanelState none = {0x00, 0x00, 1024, 768};
    NormalizePanelState(&none);
    EXPECT_EQ(0x02u, none.caps);
}

TEST_F(PanelSwitching98, FailedOrShortQueryRequestsPortrait)
{
    Panel("failQuery", 1);
    TogglePanelOrientation(NULL);
    EXPECT_EQ(0x81u, Stored());
    // A reply that ends before the panel state reads as zeros there.
    Restart();
    Panel("replySize", 44);
    Panel("state", 0x13);
    TogglePanelOrientation(NULL);
    EXPECT_EQ(0x81u, Stored());
}

TEST_F(PanelSwitching98, ModeSetAgainOnlyForARealChange)
{
    const std::vector<ListedMode> usual = {{1024, 768, 32, 0}, {800, 600, 32, 0}};
    std::vector<ListedMode> many(100, {640, 480, 8, 0});
    many.push_back({800, 600, 32, 0});
    RunModeCases({
        {"portrait mode named", 0x01, 32, 60, usual, 1},
        {"15 bits find 16 at refresh 0", 0x01, 15, 60,
         {{800, 600, 16, 60}, {800, 600, 15, 0}, {800, 600, 16, 0}}, 2},
        {"a listed refresh other than 0", 0x01, 16, 60, {{800, 600, 16, 60}}, -1},
        {"no such mode", 0x01, 32, 60, {{1024, 768, 32, 0}}, -1},
        {"beyond the first 100 modes", 0x01, 32, 60, many, -1},
    });
    // Driver states equal to the request apart from 0x08 and 0x20: stored, no mode set.
    for (DWORD reported : {0x81u, 0x89u, 0xA1u}) {
        SCOPED_TRACE(reported);
        Restart();
        List(usual);
        Panel("caps", 0x02);
        Panel("state", reported);
        TogglePanelOrientation(NULL);
        EXPECT_EQ(0x81u, Stored());
        EXPECT_TRUE(simulated::TheAdapter().calls.empty());
    }
}

TEST_F(PanelSwitching98, StoresOnlyLcdStatusAndDirection)
{
    List({{1024, 768, 32, 0}, {800, 600, 32, 0}});
    TogglePanelOrientation(NULL);
    testreg::Value status = lcdreg::LcdStatus();
    EXPECT_EQ((DWORD)REG_DWORD, status.type);
    EXPECT_EQ(0x81u, lcdreg::DwordOf(status));
    testreg::Value direction = testreg::Read(HKEY_CURRENT_USER, lcdreg::DIRECTION_KEY, "");
    EXPECT_EQ((DWORD)REG_SZ, direction.type);
    EXPECT_EQ("ON", direction.text());
    TogglePanelOrientation(NULL);
    EXPECT_EQ(0x01u, Stored());
    EXPECT_EQ("OFF", testreg::Read(HKEY_CURRENT_USER, lcdreg::DIRECTION_KEY, "").text());
    EXPECT_EQ((std::vector<std::string>{"LCDStatus", "ROTSEL"}),
              testreg::ValueNames(HKEY_LOCAL_MACHINE, lcdreg::UtilityKey("DISPLAY\\0001").c_str()));
    EXPECT_EQ((std::vector<std::string>{"drv"}),
              testreg::ValueNames(HKEY_LOCAL_MACHINE,
                                  (std::string(lcdreg::CLASS_ROOT) + "DISPLAY\\0001\\DEFAULT").c_str()));
}

TEST_F(PanelSwitching98, NoSettingsKeyShowsTheFailureAndSetsNoMode)
{
    testreg::DeleteTree(HKEY_DYN_DATA, "Config Manager\\Enum\\NRX0000");  // not configured now
    List({{1024, 768, 32, 0}, {800, 600, 32, 0}});
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    driver::BoxAnswerer boxes;
    boxes.Queue(IDOK);
    TogglePanelOrientation(owner);
    ASSERT_EQ(1u, boxes.Seen().size());
    driver::SeenBox box = boxes.Seen()[0];
    EXPECT_EQ("設定を変更できませんでした。\nﾚｼﾞｽﾄﾘへのｱｸｾｽ権がない可能性があります", box.text);
    EXPECT_EQ("LCD ﾚｿﾞﾙｳﾞｧ", box.title);
    EXPECT_EQ(owner, box.owner);
    EXPECT_EQ(LoadIconA(NULL, IDI_HAND), box.icon);
    EXPECT_TRUE(simulated::TheAdapter().calls.empty());
    EXPECT_EQ(0x01u, Switching.current.state);
    // "Direction" keeps what was written before the failed store.
    EXPECT_EQ("ON", testreg::Read(HKEY_CURRENT_USER, lcdreg::DIRECTION_KEY, "").text());
    DestroyWindow(owner);
}

TEST_F(PanelSwitching98, PointerKeepsItsDistanceFromTheNearerEdges)
{
    List({{1024, 768, 32, 0}, {768, 1024, 32, 0}});
    Panel("portraitWidth", 768);
    Panel("portraitHeight", 1024);
    simulated::LcdPointer() = {1000, 740};  // (-24, -28) from the right and bottom
    ToggleKeepingPointer(NULL);
    EXPECT_EQ(768, simulated::TheAdapter().screenWidth);
    EXPECT_EQ(1024, simulated::TheAdapter().screenHeight);
    EXPECT_EQ(744, simulated::LcdPointer().x);
    EXPECT_EQ(996, simulated::LcdPointer().y);
    simulated::LcdPointer() = {100, 100};
    ToggleKeepingPointer(NULL);
    EXPECT_EQ(1024, simulated::TheAdapter().screenWidth);
    EXPECT_EQ(100, simulated::LcdPointer().x);
    EXPECT_EQ(100, simulated::LcdPointer().y);
}

// The end-to-end tests read each start-up message; which icon a box shows
// can only be told in the program's own process (all go through one helper).
TEST_F(PanelSwitching98, FailedStartupCheckShowsTheErrorIconAndEndsWithZero)
{
    testreg::DeleteTree(HKEY_DYN_DATA, "Config Manager");
    driver::BoxAnswerer boxes;
    boxes.Queue(IDOK);
    EXPECT_EQ(0, RunPivoter(GetModuleHandleA(NULL)));
    ASSERT_EQ(1u, boxes.Seen().size());
    EXPECT_EQ(LoadIconA(NULL, IDI_HAND), boxes.Seen()[0].icon);
    EXPECT_EQ("LCD ﾚｿﾞﾙｳﾞｧ", boxes.Seen()[0].title);
}

TEST_F(PanelSwitching98, TrayMenuHoldsVersionSeparatorAndExit)
{
    HMENU menu = BuildTrayMenu();
    ASSERT_TRUE(menu);
    ASSERT_EQ(3, GetMenuItemCount(menu));
    char label[64];
    EXPECT_EQ(2u, GetMenuItemID(menu, 0));
    GetMenuStringA(menu, 0, label, sizeof(label), MF_BYPOSITION);
    EXPECT_EQ(std::string("ﾊﾞｰｼﾞｮﾝ情報"), label);
    EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(5u, GetMenuItemID(menu, 2));
    GetMenuStringA(menu, 2, label, sizeof(label), MF_BYPOSITION);
    EXPECT_EQ(std::string("終了"), label);
    DestroyMenu(menu);
}

}  // namespace
