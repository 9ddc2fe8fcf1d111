// The mode list and resolution table built from a simulated driver.
#include "box_answerer.h"
#include "mode_tables.h"
#include "shell_state.h"
#include "simulated_display.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using Mode = std::tuple<DWORD, DWORD, DWORD>;  // bits, width, height

std::vector<Mode> ListedModes()
{
    std::vector<Mode> modes;
    for (int i = 0; i < ModeList.count; ++i)
        modes.emplace_back(ModeList.records[i].dmBitsPerPel, ModeList.records[i].dmPelsWidth,
                           ModeList.records[i].dmPelsHeight);
    return modes;
}

std::vector<std::pair<int, int>> Slots()
{
    std::vector<std::pair<int, int>> slots;
    for (int i = 0; i < ResolutionTable.count; ++i)
        slots.emplace_back(ResolutionTable.slots[i].width, ResolutionTable.slots[i].height);
    return slots;
}

class ModeTablesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        simulated::Reset();
        ZeroMemory(&ModeList, sizeof(ModeList));
        ZeroMemory(&ResolutionTable, sizeof(ResolutionTable));
        ZeroMemory(&CurrentDisplay, sizeof(CurrentDisplay));
        Shell.instance = GetModuleHandleA(NULL);
    }
};

TEST_F(ModeTablesTest, SortsByDepthWidthHeightAndKeepsFirstOfEachRefreshRateRun)
{
    simulated::AddMode(1024, 768, 16, 75);
    simulated::AddMode(640, 480, 8, 60);
    simulated::AddMode(800, 600, 16, 60);
    simulated::AddMode(1024, 768, 16, 60);
    simulated::AddMode(640, 400, 16, 70);
    simulated::AddMode(640, 480, 16, 72);
    simulated::AddMode(1024, 768, 16, 85);

    ASSERT_EQ(5, BuildModeList());

    std::vector<Mode> expected = {Mode(8, 640, 480), Mode(16, 640, 400), Mode(16, 640, 480),
                                  Mode(16, 800, 600), Mode(16, 1024, 768)};
    EXPECT_EQ(expected, ListedModes());
}

TEST_F(ModeTablesTest, IgnoresUnusualDepthsAndCountsDuplicatesTowardsTheLimitOfTwenty)
{
    simulated::AddMode(640, 480, 2);   // not an accepted depth
    simulated::AddMode(640, 480, 12);  // neither
    for (int rate = 0; rate < 18; ++rate)
        simulated::AddMode(800, 600, 8, 60 + rate);
    simulated::AddMode(1024, 768, 8);
    simulated::AddMode(1280, 1024, 8);
    simulated::AddMode(1600, 1200, 8);  // the 21st accepted mode: never enumerated

    ASSERT_EQ(3, BuildModeList());
    std::vector<Mode> expected = {Mode(8, 800, 600), Mode(8, 1024, 768), Mode(8, 1280, 1024)};
    EXPECT_EQ(expected, ListedModes());
    EXPECT_EQ(60u, ModeList.records[0].dmDisplayFrequency);  // the first of the run
}

TEST_F(ModeTablesTest, OneSlotPerResolutionOverAllDepthsSortedByWidthThenHeight)
{
    simulated::AddMode(1024, 768, 8);
    simulated::AddMode(640, 480, 8);
    simulated::AddMode(640, 480, 16);
    simulated::AddMode(640, 400, 32);
    simulated::AddMode(1, 4, 4);  // odd but accepted depth, tiny size
    simulated::AddMode(1024, 600, 15);

    ASSERT_EQ(6, BuildModeList());
    std::vector<std::pair<int, int>> expected = {{1, 4}, {640, 400}, {640, 480}, {1024, 600}, {1024, 768}};
    EXPECT_EQ(expected, Slots());
    for (int i = ResolutionTable.count; i < MAX_SLOTS; ++i)
        EXPECT_EQ(0, ResolutionTable.slots[i].width | ResolutionTable.slots[i].height);
}

TEST_F(ModeTablesTest, EveryDepthGroupOfTwentyDistinctModes)
{
    const DWORD depths[] = {1, 4, 8, 15, 16, 24, 32};
    for (DWORD bits : depths)
        for (DWORD w = 640; w <= 640 + 40; w += 20)
            simulated::AddMode(w, 480, bits);
    ASSERT_EQ(20, BuildModeList());  // 21 offered, 20 kept
    EXPECT_EQ(3, ResolutionTable.count);
    EXPECT_EQ(Mode(1, 640, 480), ListedModes().front());
    EXPECT_EQ(Mode(32, 660, 480), ListedModes().back());  // 32 x 680 was the 21st
}

TEST_F(ModeTablesTest, NoUsableModeShowsTheDriverMessageAndFails)
{
    struct Case {
        bool newer;
        const char* message;
    } cases[] = {
        {true, "現在、ﾚｿﾞﾙｳﾞｧは動作できません。"},
        {false, "Windows 3.1用のﾃﾞｨｽﾌﾟﾚｲﾄﾞﾗｲﾊﾞｰでは動作しません。"},
    };
    for (const Case& c : cases) {
        simulated::Reset();
        simulated::TheAdapter().driverIsNewer = c.newer;
        simulated::AddMode(640, 480, 2);
        driver::BoxAnswerer boxes;
        boxes.Queue(IDOK);
        EXPECT_EQ(0, BuildModeList());
        std::vector<driver::SeenBox> seen = boxes.Seen();
        ASSERT_EQ(1u, seen.size());
        EXPECT_EQ("ﾚｿﾞﾙ ｳﾞｧ", seen[0].title);
        EXPECT_EQ(c.message, seen[0].text);
        EXPECT_EQ(NULL, seen[0].owner);
    }
}

TEST(NormaliseScreenSize, PortraitAndDoubleWideScreensReadAsOneLandscapeScreen)
{
    struct Case {
        int cx, cy, width, height;
    } cases[] = {
        {1024, 768, 1024, 768},  {768, 1024, 1024, 768}, {2048, 768, 1024, 768},
        {1536, 768, 1536, 768},  {2048, 1024, 2048, 1024}, {2049, 1024, 1024, 1024}, {2049, 1000, 1024, 1000},
        {600, 800, 800, 600},    {0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        int width, height;
        NormaliseScreenSize(c.cx, c.cy, &width, &height);
        EXPECT_EQ(c.width, width) << c.cx << "x" << c.cy;
        EXPECT_EQ(c.height, height) << c.cx << "x" << c.cy;
    }
}

TEST_F(ModeTablesTest, AvailabilityFollowsTheCurrentDepthAndTheCurrentSlotIsFound)
{
    simulated::AddMode(640, 480, 8);
    simulated::AddMode(800, 600, 8);
    simulated::AddMode(1024, 768, 8);
    simulated::AddMode(640, 480, 16);
    simulated::AddMode(800, 600, 16);
    ASSERT_EQ(5, BuildModeList());

    simulated::TheAdapter().bitsPerPixel = 16;
    simulated::TheAdapter().screenWidth = 800;
    simulated::TheAdapter().screenHeight = 600;
    RefreshDisplayState(NULL);
    EXPECT_EQ(800, CurrentDisplay.width);
    EXPECT_EQ(16, CurrentDisplay.bitsPerPixel);
    EXPECT_EQ(1, CurrentDisplay.slotIndex);
    EXPECT_EQ(1, ResolutionTable.slots[0].available);
    EXPECT_EQ(1, ResolutionTable.slots[1].available);
    EXPECT_EQ(0, ResolutionTable.slots[2].available);

    simulated::TheAdapter().bitsPerPixel = 8;
    simulated::TheAdapter().screenWidth = 1024;
    simulated::TheAdapter().screenHeight = 768;
    RefreshDisplayState(NULL);
    EXPECT_EQ(2, CurrentDisplay.slotIndex);
    EXPECT_EQ(1, ResolutionTable.slots[2].available);

    // A size the table does not know leaves the current slot as it was.
    simulated::TheAdapter().screenWidth = 1152;
    simulated::TheAdapter().screenHeight = 864;
    RefreshDisplayState(NULL);
    EXPECT_EQ(2, CurrentDisplay.slotIndex);
    for (int i = 0; i < MAX_SLOTS; ++i)
        EXPECT_EQ(i < 3 ? 1 : 0, ResolutionTable.slots[i].available) << i;
}

TEST_F(ModeTablesTest, PortraitPanelMakesTheLandscapeSlotCurrent)
{
    simulated::AddMode(800, 600, 16);
    simulated::AddMode(1024, 768, 16);
    ASSERT_EQ(2, BuildModeList());
    simulated::TheAdapter().bitsPerPixel = 16;
    simulated::TheAdapter().screenWidth = 768;
    simulated::TheAdapter().screenHeight = 1024;
    RefreshDisplayState(NULL);
    EXPECT_EQ(1024, CurrentDisplay.width);
    EXPECT_EQ(768, CurrentDisplay.height);
    EXPECT_EQ(1, CurrentDisplay.slotIndex);
}

TEST_F(ModeTablesTest, RefreshPullsTheToolWindowBackOntoASmallerScreen)
{
    simulated::AddMode(800, 600, 32);
    ASSERT_EQ(1, BuildModeList());
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 950, 700, 60, 40, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(window);
    simulated::TheAdapter().screenWidth = 800;
    simulated::TheAdapter().screenHeight = 600;
    RefreshDisplayState(window);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(740, r.left);
    EXPECT_EQ(560, r.top);
    EXPECT_EQ(60, r.right - r.left);
    DestroyWindow(window);
}

}  // namespace
