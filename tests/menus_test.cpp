// Both forms of the popup menu, read back item by item.
#include "menus.h"
#include "mode_tables.h"
#include "resource.h"
#include "shell_state.h"
#include "simulated_display.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One line per item: "text|id|flags" with flags C (checked), P (popup), S
// (separator); a popup's items follow indented by two spaces.
void Describe(HMENU menu, const std::string& indent, std::vector<std::string>* lines)
{
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[128] = "";
        MENUITEMINFOA info;
        ZeroMemory(&info, sizeof(info));
        info.cbSize = sizeof(info);
        info.fMask = MIIM_TYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof(text);
        ASSERT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &info));
        if (info.fType & MFT_SEPARATOR) {
            lines->push_back(indent + "-");
            continue;
        }
        std::string line = indent + text;
        if (!info.hSubMenu)
            line += "|" + std::to_string(info.wID);
        if (info.fState & MFS_CHECKED)
            line += "|C";
        lines->push_back(line);
        if (info.hSubMenu)
            Describe(info.hSubMenu, indent + "  ", lines);
    }
}

std::vector<std::string> MenuLines(bool trayForm)
{
    HMENU menu = BuildPopupMenu(trayForm);
    std::vector<std::string> lines;
    if (menu) {
        Describe(menu, "", &lines);
        DestroyMenu(menu);
    }
    return lines;
}

class MenusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Shell.instance = GetModuleHandleA(NULL);
        simulated::Reset();
        simulated::AddMode(640, 480, 8);
        simulated::AddMode(800, 600, 8);
        simulated::AddMode(640, 480, 16);
        simulated::AddMode(800, 600, 16);
        simulated::AddMode(1024, 768, 16);
        simulated::AddMode(800, 600, 24);
        ASSERT_EQ(6, BuildModeList());
        CurrentDisplay.width = 800;
        CurrentDisplay.height = 600;
        CurrentDisplay.bitsPerPixel = 16;
        Shell.toolWindowVisible = 1;
    }
};

const std::vector<std::string> DEPTH_GROUPS = {
    "2&56色",         "  640 x 480|2000", "  800 x 600|2001|C",
    "64&K色|C",       "  640 x 480|2002", "  800 x 600|2003|C", "  1024 x 768|2004",
    "16&M色",         "  800 x 600|2005|C",
};

TEST_F(MenusTest, TrayFormLaysOutAboutGroupDepthsAndShowHide)
{
    std::vector<std::string> expected = {
        "ﾚｿﾞﾙｳﾞｧについて(&A)", "  設定(&S)...|102", "  ﾍﾙﾌﾟ(&H)|104",
        "  ﾚｿﾞﾙｳﾞｧについて(&A)...|103", "画面のﾌﾟﾛﾊﾟﾃｨ(&P)|203", "-",
    };
    expected.insert(expected.end(), DEPTH_GROUPS.begin(), DEPTH_GROUPS.end());
    expected.insert(expected.end(), {"-", "閉じる(&C)|105", "終了(&X)|106"});
    EXPECT_EQ(expected, MenuLines(true));
}

TEST_F(MenusTest, ToolbarFormPutsDepthsFirstAndHelpInASubmenu)
{
    Shell.toolWindowVisible = 0;
    std::vector<std::string> expected = DEPTH_GROUPS;
    expected.insert(expected.end(), {"-", "設定(&S)...|102", "画面のﾌﾟﾛﾊﾟﾃｨ(&P)|203", "ﾍﾙﾌﾟ(&H)",
                                     "  ﾍﾙﾌﾟ(&H)|104", "  ﾚｿﾞﾙｳﾞｧについて(&A)...|103", "-",
                                     "開く(&O)|105", "終了(&X)|106"});
    EXPECT_EQ(expected, MenuLines(false));
}

TEST_F(MenusTest, DepthTitlesForEveryAcceptedDepthWithSeparateGroupsForFifteenAndSixteen)
{
    simulated::Reset();
    const DWORD depths[] = {1, 4, 8, 15, 16, 24, 32};
    for (DWORD bits : depths)
        simulated::AddMode(640, 480, bits);
    ASSERT_EQ(7, BuildModeList());
    CurrentDisplay.bitsPerPixel = 15;
    CurrentDisplay.width = 640;
    CurrentDisplay.height = 480;
    std::vector<std::string> lines = MenuLines(false);
    std::vector<std::string> titles;
    for (const std::string& line : lines)
        if (line.find("色") != std::string::npos)
            titles.push_back(line);
    std::vector<std::string> expected = {"&2色", "&16色", "2&56色", "64&K色|C", "64&K色", "16&M色", "16&M色"};
    EXPECT_EQ(expected, titles);
    EXPECT_EQ("  640 x 480|2006|C", lines[13]);  // checked in every group that has it
}

}  // namespace
