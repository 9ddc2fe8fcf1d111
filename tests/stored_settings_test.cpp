// Stored settings against Wine's real registry, in a scratch root per test.
#include "mode_tables.h"
#include "scratch_registry.h"
#include "stored_settings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char KEY[] = "Software\\NORIX\\Resolva";

class StoredSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ZeroMemory(&ResolutionTable, sizeof(ResolutionTable));
        AddSlot(640, 480);
        AddSlot(800, 600);
        AddSlot(1024, 768);
    }
    void AddSlot(WORD width, WORD height)
    {
        ResolutionSlot& slot = ResolutionTable.slots[ResolutionTable.count++];
        slot.width = width;
        slot.height = height;
    }
    StoredWindow Load()
    {
        StoredWindow window = {-7, -7, -7, -7, -7};
        LoadStoredSettings(&window);
        return window;
    }
    testreg::ScratchRegistry registry;
};

void ExpectDefaultWindow(const StoredWindow& window)
{
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) - 1, window.left);
    EXPECT_EQ(0, window.top);
    EXPECT_EQ(1, window.width);
    EXPECT_EQ(1, window.height);
    EXPECT_EQ(0, window.startHidden);
}

TEST_F(StoredSettingsTest, FirstStartGivesTheDefaultsAndCreatesTheKeyEmpty)
{
    ExpectDefaultWindow(Load());
    EXPECT_TRUE(testreg::KeyExists(HKEY_CURRENT_USER, KEY));
    EXPECT_TRUE(testreg::ValueNames(HKEY_CURRENT_USER, KEY).empty());
}

TEST_F(StoredSettingsTest, StoredRectangleAndHiddenFlagAreRead)
{
    const LONG rect[4] = {-20, 300, 64, 52};
    testreg::Write(HKEY_CURRENT_USER, KEY, "DefaultPosition", REG_BINARY, rect, sizeof(rect));
    testreg::WriteDword(HKEY_CURRENT_USER, KEY, "DefaultIconic", 1);
    StoredWindow window = Load();
    EXPECT_EQ(-20, window.left);
    EXPECT_EQ(300, window.top);
    EXPECT_EQ(64, window.width);
    EXPECT_EQ(52, window.height);
    EXPECT_EQ(1, window.startHidden);
}

TEST_F(StoredSettingsTest, MalformedPositionAndHiddenFlagFallBackToDefaults)
{
    const LONG rect[4] = {10, 20, 30, 40};
    const DWORD one = 1;
    struct Case {
        const char* what;
        DWORD positionType, positionSize, iconicType, iconicSize;
    } cases[] = {
        {"wrong types", REG_DWORD, 4, REG_BINARY, 4},
        {"too short", REG_BINARY, 15, REG_DWORD, 2},
        {"strings", REG_SZ, 16, REG_SZ, 4},
    };
    for (const Case& c : cases) {
        testreg::DeleteTree(HKEY_CURRENT_USER, "Software\\NORIX");
        testreg::Write(HKEY_CURRENT_USER, KEY, "DefaultPosition", c.positionType, rect, c.positionSize);
        testreg::Write(HKEY_CURRENT_USER, KEY, "DefaultIconic", c.iconicType, &one, c.iconicSize);
        SCOPED_TRACE(c.what);
        ExpectDefaultWindow(Load());
    }
}

TEST_F(StoredSettingsTest, LongerPositionDoesNotFitAndFallsBackToDefaults)
{
    const LONG rect[5] = {1, 2, 3, 4, 5};
    testreg::Write(HKEY_CURRENT_USER, KEY, "DefaultPosition", REG_BINARY, rect, sizeof(rect));
    // More than 16 bytes does not fit the buffer: the query fails, defaults apply.
    ExpectDefaultWindow(Load());
}

TEST_F(StoredSettingsTest, SlotValuesAreParsedFieldByField)
{
    ResolutionTable.slots[1].hotkey = 0x777;  // kept where the hotkey field does not parse
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res640x480", "1,00000241");
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res800x600", "1,zz");
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res1024x768", "x,00000641");
    Load();
    EXPECT_EQ(1, ResolutionTable.slots[0].switchEnabled);
    EXPECT_EQ(0x241, ResolutionTable.slots[0].hotkey);
    EXPECT_EQ(1, ResolutionTable.slots[1].switchEnabled);
    EXPECT_EQ(0x777, ResolutionTable.slots[1].hotkey);
    EXPECT_EQ(0, ResolutionTable.slots[2].switchEnabled);
    EXPECT_EQ(0, ResolutionTable.slots[2].hotkey);
}

TEST_F(StoredSettingsTest, WrongTypedAndOversizeSlotValuesAreIgnored)
{
    ResolutionTable.slots[0].switchEnabled = 1;
    ResolutionTable.slots[1].switchEnabled = 1;
    ResolutionTable.slots[2].switchEnabled = 1;
    const char binary[] = "1,00000241";
    testreg::Write(HKEY_CURRENT_USER, KEY, "Res640x480", REG_BINARY, binary, sizeof(binary));
    // 64 bytes with the terminator is the most that is read; 65 is too long.
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res800x600", "1,00000241" + std::string(54, ' '));
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res1024x768", "1,00000341" + std::string(53, ' '));
    Load();
    EXPECT_EQ(0, ResolutionTable.slots[0].switchEnabled);
    EXPECT_EQ(0, ResolutionTable.slots[0].hotkey);
    EXPECT_EQ(0, ResolutionTable.slots[1].switchEnabled);
    EXPECT_EQ(0, ResolutionTable.slots[1].hotkey);
    EXPECT_EQ(1, ResolutionTable.slots[2].switchEnabled);
    EXPECT_EQ(0x341, ResolutionTable.slots[2].hotkey);
}

TEST_F(StoredSettingsTest, SlotWritesAreByteExactAndLeaveForeignResolutionsAlone)
{
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res1600x1200", "1,00000000");
    ResolutionTable.slots[0].switchEnabled = 0;
    ResolutionTable.slots[1].switchEnabled = 1;
    ResolutionTable.slots[2].switchEnabled = 1;
    ResolutionTable.slots[2].hotkey = 0x24B;  // Ctrl+K: the hex digits are upper case
    StoreSlotSettings(ResolutionTable);

    testreg::Value value = testreg::Read(HKEY_CURRENT_USER, KEY, "Res800x600");
    EXPECT_EQ((DWORD)REG_SZ, value.type);
    EXPECT_EQ(std::string("1,00000000", 11), std::string(value.data.begin(), value.data.end()));
    EXPECT_EQ("1,0000024B", testreg::Read(HKEY_CURRENT_USER, KEY, "Res1024x768").text());
    EXPECT_EQ("0,00000000", testreg::Read(HKEY_CURRENT_USER, KEY, "Res640x480").text());
    EXPECT_EQ("1,00000000", testreg::Read(HKEY_CURRENT_USER, KEY, "Res1600x1200").text());

    ZeroMemory(&ResolutionTable.slots[2], sizeof(ResolutionSlot));
    ResolutionTable.slots[2].width = 1024;
    ResolutionTable.slots[2].height = 768;
    Load();
    EXPECT_EQ(1, ResolutionTable.slots[2].switchEnabled);
    EXPECT_EQ(0x24B, ResolutionTable.slots[2].hotkey);
}

TEST_F(StoredSettingsTest, ShutdownStoresPlacementOnlyWhereTheKeyExists)
{
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 100, 50, 61, 45, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(window);
    StoreWindowPlacement(window, 1);
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, KEY));

    Load();  // creates the key
    StoreWindowPlacement(window, 0);
    testreg::Value position = testreg::Read(HKEY_CURRENT_USER, KEY, "DefaultPosition");
    ASSERT_EQ(16u, position.data.size());
    EXPECT_EQ((DWORD)REG_BINARY, position.type);
    const LONG* rect = (const LONG*)position.data.data();
    EXPECT_EQ(100, rect[0]);
    EXPECT_EQ(50, rect[1]);
    EXPECT_EQ(61, rect[2]);
    EXPECT_EQ(45, rect[3]);
    testreg::Value iconic = testreg::Read(HKEY_CURRENT_USER, KEY, "DefaultIconic");
    EXPECT_EQ((DWORD)REG_DWORD, iconic.type);
    ASSERT_EQ(4u, iconic.data.size());
    EXPECT_EQ(1u, *(const DWORD*)iconic.data.data());
    DestroyWindow(window);
}

}  // namespace
