// The settings dialog and the hotkey windows in-process, on the simulated
// adapter and a scratch registry. The dialog runs modally on the test thread;
// a second thread plays the user, and the fixture's BoxAnswerer answers the
// boxes the player queues answers for.
#include "in_process_fixture.h"
#include "driver.h"
#include "hotkey_window.h"
#include "resource.h"
#include "settings_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

namespace {

const char KEY[] = "Software\\NORIX\\Resolva";
const char DIALOG_TITLE[] = "ﾚｿﾞﾙｳﾞｧ設定";
const int ALT_A = MAKEWORD('A', HOTKEYF_ALT);
const int CTRL_B = MAKEWORD('B', HOTKEYF_CONTROL);

// What the user does in the dialog, from another thread.
namespace user {

void Select(HWND dialog, int index)
{
    HWND list = GetDlgItem(dialog, IDC_RESOLUTION_LIST);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_RESOLUTION_LIST, CBN_SETFOCUS), (LPARAM)list);
    SendMessageA(list, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_RESOLUTION_LIST, CBN_SELCHANGE), (LPARAM)list);
}
void ClickCheckBox(HWND dialog)
{
    SendMessageA(GetDlgItem(dialog, IDC_SWITCH_ENABLED), BM_CLICK, 0, 0);
}
void SetHotkey(HWND dialog, int hotkey)
{
    SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_SETHOTKEY, hotkey, 0);
}
bool Checked(HWND dialog)
{
    return IsDlgButtonChecked(dialog, IDC_SWITCH_ENABLED) == BST_CHECKED;
}
bool Enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}
int Hotkey(HWND dialog)
{
    return (int)SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_GETHOTKEY, 0, 0);
}
int Selection(HWND dialog)
{
    return (int)SendDlgItemMessageA(dialog, IDC_RESOLUTION_LIST, CB_GETCURSEL, 0, 0);
}

}  // namespace user

class SettingsDialogTest : public InProcessProgram {
protected:
    void SetUp() override
    {
        InProcessProgram::SetUp();
        simulated::AddMode(640, 480, 32);
        simulated::AddMode(800, 600, 32);
        simulated::AddMode(1024, 768, 32);
        simulated::AddMode(1280, 1024, 16);  // not available at 32 bits
        ASSERT_EQ(4, BuildModeList());
    }
    void CreateToolWindowFromRegistry() { ASSERT_TRUE(CreateStoredToolWindow()); }
    // Runs the dialog (or `open`, which must open it) while `play` acts on it
    // from another thread; a dialog left open is cancelled. The dialog is
    // the first box seen.
    INT_PTR Run(std::function<void(HWND)> play, std::function<INT_PTR()> open = nullptr)
    {
        size_t seen = boxes.Seen().size();
        boxes.Queue(driver::HOLD);
        std::thread player([&] {
            HWND dialog = driver::WaitForDialog(GetCurrentProcessId(), DIALOG_TITLE);
            // It shows itself once its controls are loaded; the answerer
            // holds it before the user acts.
            if (!dialog || !driver::WaitFor([&] { return IsWindowVisible(dialog) != FALSE; }) ||
                !boxes.WaitForBoxes(seen + 1)) {
                ADD_FAILURE() << "the settings dialog did not open";
                return;
            }
            play(dialog);
            if (driver::WaitUntilGone(dialog, 3000))
                return;
            ADD_FAILURE() << "the dialog stayed open";
            // Cancel it and whatever box it may have open, so the test ends.
            while (!driver::WaitUntilGone(dialog, 200))
                for (HWND box : driver::ProcessWindows(GetCurrentProcessId(), "#32770"))
                    driver::PostCommand(box, IDCANCEL);
        });
        INT_PTR result = open ? open() : RunSettingsDialog(Shell.toolWindow);
        player.join();
        return result;
    }
    std::string Stored(const char* name) { return testreg::Read(HKEY_CURRENT_USER, KEY, name).text(); }
};

TEST_F(SettingsDialogTest, OpensOnTheCurrentResolutionAndGreysWhatTheDepthDoesNotOffer)
{
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res800x600", "0,00000342");
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res1024x768", "1,00000641");
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res1280x1024", "1,00000241");
    CreateToolWindowFromRegistry();
    struct Row {
        int checked, hotkey, checkEnabled, hotkeyEnabled, testEnabled;
    } const rows[] = {
        {0, 0, 1, 0, 1},           // 640x480: nothing stored
        {0, 0x342, 1, 0, 1},       // 800x600: a hotkey, switching off
        {1, 0x641, 1, 1, 1},       // 1024x768: the current one
        {1, 0x241, 0, 0, 0},       // 1280x1024: only at 16 bits
    };
    Run([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_RESOLUTION_LIST);
        const char* entries[] = {"640 x 480", "800 x 600", "1024 x 768", "1280 x 1024"};
        ASSERT_EQ(4, (int)SendMessageA(list, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < 4; ++i) {
            char text[32] = "";
            SendMessageA(list, CB_GETLBTEXT, i, (LPARAM)text);
            EXPECT_STREQ(entries[i], text);
        }
        EXPECT_EQ(2, user::Selection(dialog));
        for (int i : {2, 0, 1, 3}) {
            if (i != 2)
                user::Select(dialog, i);
            SCOPED_TRACE(entries[i]);
            EXPECT_EQ(rows[i].checked, user::Checked(dialog));
            EXPECT_EQ(rows[i].hotkey, user::Hotkey(dialog));
            EXPECT_EQ(rows[i].checkEnabled, user::Enabled(dialog, IDC_SWITCH_ENABLED));
            EXPECT_EQ(rows[i].hotkeyEnabled, user::Enabled(dialog, IDC_HOTKEY));
            EXPECT_EQ(rows[i].testEnabled, user::Enabled(dialog, IDC_TEST));
        }
        // The check box alone decides whether the hotkey can be edited.
        user::Select(dialog, 1);
        user::ClickCheckBox(dialog);
        EXPECT_TRUE(user::Enabled(dialog, IDC_HOTKEY));
        user::ClickCheckBox(dialog);
        EXPECT_FALSE(user::Enabled(dialog, IDC_HOTKEY));
        driver::PostCommand(dialog, IDCANCEL);
    });
}

TEST_F(SettingsDialogTest, APlainLetterTypedIntoTheHotkeyControlBecomesAltPlusTheLetter)
{
    CreateToolWindowFromRegistry();
    Run([&](HWND dialog) {
        user::ClickCheckBox(dialog);
        HWND hotkey = GetDlgItem(dialog, IDC_HOTKEY);
        SendMessageA(hotkey, WM_KEYDOWN, 'A', 0x001E0001);
        SendMessageA(hotkey, WM_KEYUP, 'A', 0xC01E0001);
        EXPECT_EQ(ALT_A, user::Hotkey(dialog));
        driver::PostCommand(dialog, IDOK);
    });
    EXPECT_EQ("1,00000441", Stored("Res1024x768"));
}

TEST_F(SettingsDialogTest, OkWritesEveryUsedSlotByteExactWithTheEditsOfSeveralSlots)
{
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res640x480", "1,garbage");
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res1600x1200", "1,00000641");
    CreateToolWindowFromRegistry();
    INT_PTR result = Run([&](HWND dialog) {
        user::Select(dialog, 1);  // 800x600: enabled, no hotkey
        user::ClickCheckBox(dialog);
        user::Select(dialog, 2);  // 1024x768: enabled with Ctrl+B
        user::ClickCheckBox(dialog);
        user::SetHotkey(dialog, CTRL_B);
        driver::PostCommand(dialog, IDOK);  // stored from the controls, not the list
    });
    EXPECT_EQ(IDOK, result);
    struct Expected {
        const char* name;
        const char* data;
    } const values[] = {
        {"Res640x480", "1,00000000"},  // the corrupt value is replaced only now
        {"Res800x600", "1,00000000"},
        {"Res1024x768", "1,00000242"},
        {"Res1280x1024", "0,00000000"},
        {"Res1600x1200", "1,00000641"},  // not in the table: left alone
    };
    for (const Expected& v : values) {
        testreg::Value value = testreg::Read(HKEY_CURRENT_USER, KEY, v.name);
        EXPECT_EQ((DWORD)REG_SZ, value.type) << v.name;
        EXPECT_EQ(std::string(v.data, 11), std::string(value.data.begin(), value.data.end())) << v.name;
    }
    EXPECT_EQ(CTRL_B, ResolutionTable.slots[2].hotkey);
}

TEST_F(SettingsDialogTest, CancelAfterEditingSeveralSlotsRestoresThemAndWritesNothing)
{
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res800x600", "1,00000641");
    CreateToolWindowFromRegistry();
    ResolutionSlotTable before = ResolutionTable;
    INT_PTR result = Run([&](HWND dialog) {
        user::Select(dialog, 0);
        user::ClickCheckBox(dialog);
        user::SetHotkey(dialog, CTRL_B);
        user::Select(dialog, 1);
        user::ClickCheckBox(dialog);
        user::Select(dialog, 2);  // stores 800x600's edit
        driver::PostCommand(dialog, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(0, memcmp(&before, &ResolutionTable, sizeof(before)));
    EXPECT_EQ((std::vector<std::string>{"Res800x600"}), testreg::ValueNames(HKEY_CURRENT_USER, KEY));
    EXPECT_EQ("1,00000641", Stored("Res800x600"));
}

TEST_F(SettingsDialogTest, DuplicateHotkeysKeepTheDialogOpenOnTheLaterSlotAndWriteNothing)
{
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res640x480", "1,00000441");
    CreateToolWindowFromRegistry();
    INT_PTR result = Run([&](HWND dialog) {
        user::Select(dialog, 1);
        user::ClickCheckBox(dialog);
        user::SetHotkey(dialog, ALT_A);
        boxes.Queue(IDOK);  // message 1023
        driver::PostCommand(dialog, IDOK);
        ASSERT_TRUE(boxes.WaitForBoxes(2));
        ASSERT_TRUE(driver::WaitUntilGone(boxes.Seen()[1].window));
        ASSERT_TRUE(IsWindow(dialog));
        EXPECT_TRUE(driver::WaitFor([&] { return user::Selection(dialog) == 1; }));
        EXPECT_EQ(ALT_A, user::Hotkey(dialog));
        EXPECT_TRUE(testreg::ValueNames(HKEY_CURRENT_USER, KEY) ==
                    std::vector<std::string>{"Res640x480"});
        user::SetHotkey(dialog, CTRL_B);
        driver::PostCommand(dialog, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    std::vector<driver::SeenBox> seen = boxes.Seen();
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ("ﾚｿﾞﾙ ｳﾞｧ", seen[1].title);
    EXPECT_EQ("ｼｮｰﾄｶｯﾄｷｰが重複しています。重複しないよう指定して下さい。", seen[1].text);
    EXPECT_EQ(seen[0].window, seen[1].owner);
    EXPECT_EQ("1,00000242", Stored("Res800x600"));
}

TEST(FindDuplicateHotkey, OnlySwitchEnabledSlotsWithTheSameRegisteredCombinationClash)
{
    struct Slot {
        int enabled, hotkey;
    };
    struct Case {
        const char* what;
        Slot slots[4];
        int duplicate;
    } const cases[] = {
        {"none set", {{1, 0}, {1, 0}, {0, 0}, {0, 0}}, NO_SLOT},
        {"equal, both enabled", {{1, ALT_A}, {0, 0}, {1, ALT_A}, {0, 0}}, 2},
        {"equal, one disabled", {{1, ALT_A}, {0, ALT_A}, {0, 0}, {0, 0}}, NO_SLOT},
        {"different", {{1, ALT_A}, {1, CTRL_B}, {1, MAKEWORD('A', HOTKEYF_CONTROL)}, {0, 0}}, NO_SLOT},
        {"earliest first slot decides", {{1, CTRL_B}, {1, ALT_A}, {1, ALT_A}, {1, CTRL_B}}, 3},
        {"extended-key flag is not registered", {{1, ALT_A}, {1, ALT_A | (HOTKEYF_EXT << 8)}, {0, 0}, {0, 0}}, 1},
        {"stored enabled flag other than 1", {{2, CTRL_B}, {-1, CTRL_B}, {0, 0}, {0, 0}}, 1},
    };
    for (const Case& c : cases) {
        ResolutionSlotTable table = {};
        table.count = 4;
        for (int i = 0; i < 4; ++i) {
            table.slots[i].switchEnabled = c.slots[i].enabled;
            table.slots[i].hotkey = c.slots[i].hotkey;
        }
        EXPECT_EQ(c.duplicate, FindDuplicateHotkey(table)) << c.what;
    }
}

TEST_F(SettingsDialogTest, WithoutAMatchingEntryNothingIsSelectedAndNoSlotChanges)
{
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res640x480", "1,00000641");
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res1024x768", "1,00000242");
    simulated::TheAdapter().screenWidth = 1152;
    simulated::TheAdapter().screenHeight = 864;
    CreateToolWindowFromRegistry();
    ResolutionSlotTable before = ResolutionTable;
    INT_PTR result = Run([&](HWND dialog) {
        EXPECT_EQ(CB_ERR, user::Selection(dialog));
        user::ClickCheckBox(dialog);
        user::SetHotkey(dialog, CTRL_B);
        driver::PostCommand(dialog, IDC_TEST);  // acts on no slot: no question
        driver::PostCommand(dialog, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(1u, boxes.Seen().size());
    EXPECT_TRUE(simulated::TheAdapter().calls.empty());
    EXPECT_EQ(0, memcmp(&before, &ResolutionTable, sizeof(before)));
    EXPECT_EQ("1,00000641", Stored("Res640x480"));
    EXPECT_EQ("1,00000242", Stored("Res1024x768"));
}

TEST_F(SettingsDialogTest, TestAnswersTickOrClearTheCheckBoxOnly)
{
    CreateToolWindowFromRegistry();
    INT_PTR result = Run([&](HWND dialog) {
        // 1020 cancelled; 1020 OK then "yes"; 1020 OK then "no".
        boxes.Queue({IDCANCEL, IDOK, IDOK, IDOK, IDCANCEL});
        user::Select(dialog, 1);
        driver::PostCommand(dialog, IDC_TEST);
        ASSERT_TRUE(boxes.WaitForBoxes(2));
        ASSERT_TRUE(driver::WaitUntilGone(boxes.Seen()[1].window));
        EXPECT_FALSE(user::Checked(dialog));
        driver::PostCommand(dialog, IDC_TEST);
        ASSERT_TRUE(boxes.WaitForBoxes(4));
        ASSERT_TRUE(driver::WaitFor([&] { return user::Checked(dialog); }));
        EXPECT_TRUE(user::Enabled(dialog, IDC_HOTKEY));
        driver::PostCommand(dialog, IDC_TEST);
        ASSERT_TRUE(boxes.WaitForBoxes(6));
        ASSERT_TRUE(driver::WaitFor([&] { return !user::Checked(dialog); }));
        EXPECT_FALSE(user::Enabled(dialog, IDC_HOTKEY));
        driver::PostCommand(dialog, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    std::vector<driver::SeenBox> seen = boxes.Seen();
    ASSERT_EQ(6u, seen.size());
    HWND dialog = seen[0].window;
    for (size_t i : {1, 2, 4}) {
        EXPECT_EQ(0u, seen[i].text.find("一時的にﾃﾞｽｸﾄｯﾌﾟのｻｲｽﾞを変更します。")) << i;
        EXPECT_EQ(dialog, seen[i].owner) << i;
    }
    for (size_t i : {3, 5}) {
        EXPECT_EQ("正常に表示されていますか？", seen[i].text) << i;
        EXPECT_EQ(dialog, seen[i].owner) << i;
    }
    EXPECT_EQ(0, ResolutionTable.slots[1].switchEnabled);  // cancelled: nothing kept

    // Each trial tried 800x600 without prompts and went back to 1024x768,
    // whatever the answer; the depth never changed.
    struct Call {
        DWORD width, height, flags;
    } const expected[] = {
        {800, 600, CDS_TEST}, {800, 600, CDS_UPDATEREGISTRY},
        {1024, 768, CDS_TEST}, {1024, 768, CDS_UPDATEREGISTRY},
    };
    const std::vector<simulated::ChangeCall>& calls = simulated::TheAdapter().calls;
    ASSERT_EQ(8u, calls.size());
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(expected[i % 4].width, calls[i].width) << i;
        EXPECT_EQ(expected[i % 4].height, calls[i].height) << i;
        EXPECT_EQ(expected[i % 4].flags, calls[i].flags) << i;
        EXPECT_FALSE(calls[i].fields & DM_BITSPERPEL) << i;
    }
    EXPECT_EQ(1024, simulated::TheAdapter().screenWidth);
    EXPECT_EQ(1024, CurrentDisplay.width);
}

// A box of the trial belongs to the dialog, which cannot be used under it.
TEST_F(SettingsDialogTest, ATrialTheDisplayRefusesIsReportedOverTheDialog)
{
    CreateToolWindowFromRegistry();
    simulated::TheAdapter().results = {{CDS_TEST, DISP_CHANGE_FAILED}};
    Run([&](HWND dialog) {
        boxes.Queue({IDOK, IDOK, IDCANCEL});  // 1020, 1018, the question
        user::Select(dialog, 1);
        driver::PostCommand(dialog, IDC_TEST);
        ASSERT_TRUE(boxes.WaitForBoxes(4));
        driver::PostCommand(dialog, IDCANCEL);
    });
    std::vector<driver::SeenBox> seen = boxes.Seen();
    ASSERT_EQ(4u, seen.size());
    EXPECT_EQ("現在、解像度の変更はできません。", seen[2].text);
    EXPECT_EQ(seen[0].window, seen[2].owner);
}

TEST_F(SettingsDialogTest, SettingsCommandUnregistersHotkeysWhileOpenAndRegistersTheNewOnes)
{
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res800x600", "1,00000641");
    CreateToolWindowFromRegistry();
    ASSERT_TRUE(Shell.hotkeyWindows[1]);
    Run(
        [&](HWND dialog) {
            for (HWND window : Shell.hotkeyWindows)
                EXPECT_EQ(NULL, window);
            user::Select(dialog, 0);
            user::ClickCheckBox(dialog);
            user::SetHotkey(dialog, CTRL_B);
            driver::PostCommand(dialog, IDOK);
        },
        [&] { return SendMessageA(Shell.toolWindow, WM_COMMAND, IDM_SETTINGS, 0); });
    EXPECT_TRUE(Shell.hotkeyWindows[0]);
    EXPECT_TRUE(Shell.hotkeyWindows[1]);
    EXPECT_FALSE(Shell.hotkeyWindows[2]);
}

std::vector<WPARAM> hotkeysReceived;

LRESULT CALLBACK RecordHotkeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HOTKEY)
        hotkeysReceived.push_back(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

// A real key press from the keyboard input stream reaches the owner of the
// hotkey window as WM_HOTKEY with the slot index.
TEST(HotkeyWindow, AKeyPressReachesTheOwnerWithTheSlotIndex)
{
    Shell.instance = GetModuleHandleA(NULL);
    RegisterWindowClasses(Shell.instance);
    hotkeysReceived.clear();
    WNDCLASSA recorder = {};
    recorder.lpfnWndProc = RecordHotkeys;
    recorder.lpszClassName = "HotkeyOwnerRecorder";
    RegisterClassA(&recorder);
    HWND owner = CreateWindowExA(0, "HotkeyOwnerRecorder", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    HWND carrier = CreateHotkeyWindow(owner, 7, MAKEWORD('Q', HOTKEYF_CONTROL | HOTKEYF_ALT));
    ASSERT_TRUE(carrier);
    EXPECT_FALSE(RegisterHotKey(NULL, 1, MOD_CONTROL | MOD_ALT, 'Q')) << "the combination is taken";

    ASSERT_TRUE(driver::PressCtrlAlt('Q'));
    EXPECT_TRUE(driver::WaitFor([&] {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        return !hotkeysReceived.empty();
    }));
    EXPECT_EQ(std::vector<WPARAM>{7}, hotkeysReceived);

    DestroyWindow(carrier);
    EXPECT_TRUE(RegisterHotKey(NULL, 1, MOD_CONTROL | MOD_ALT, 'Q')) << "released with its window";
    UnregisterHotKey(NULL, 1);
    DestroyWindow(owner);
}

}  // namespace
