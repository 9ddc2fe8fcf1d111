// NRXVGCHG.EXE's settings dialog and hotkeys as a user meets them, in the
// Wine virtual desktop (Japanese, Windows 98): started from a folder of its
// own beside the real helper library, the dialog driven from this process,
// the registry and the registered hotkeys checked afterwards.
#include "box_answerer.h"
#include "resolution_changer_fixture.h"

#include <string>
#include <vector>

namespace {

using namespace e2e;

const char SETTINGS_TITLE[] = "ﾚｿﾞﾙｳﾞｧ設定";
const int IDM_SETTINGS = 102;
const int IDC_SWITCH_ENABLED = 111;
const int IDC_HOTKEY = 116;
const int IDC_TEST = 121;
const int IDC_RESOLUTION_LIST = 1008;
const int CTRL_ALT_A = MAKEWORD('A', HOTKEYF_CONTROL | HOTKEYF_ALT);

// The 32-bit resolutions of the test bed's desktop, in table order.
const char* const ENTRIES[] = {"320 x 200", "320 x 240", "400 x 300", "512 x 384", "640 x 400",
                               "640 x 480", "768 x 576", "800 x 600", "1024 x 768", "1152 x 864",
                               "1280 x 720", "1280 x 800", "1280 x 960", "1280 x 1024"};
const int ENTRY_COUNT = sizeof(ENTRIES) / sizeof(ENTRIES[0]);

std::string ValueName(const char* entry)
{
    int width = 0, height = 0;
    sscanf(entry, "%d x %d", &width, &height);
    return "Res" + std::to_string(width) + "x" + std::to_string(height);
}

class SettingsE2E : public ResolutionChangerE2E {
protected:
    HWND OpenSettings(driver::Program& program, HWND window)
    {
        driver::PostCommand(window, IDM_SETTINGS);
        HWND dialog = driver::WaitForDialog(program.id(), SETTINGS_TITLE);
        // It shows itself once its controls are loaded.
        EXPECT_TRUE(dialog && driver::WaitFor([&] { return IsWindowVisible(dialog) != FALSE; }))
            << "no settings dialog";
        return dialog;
    }
    // The user opens the list and picks an entry.
    static void Select(HWND dialog, int index)
    {
        HWND list = GetDlgItem(dialog, IDC_RESOLUTION_LIST);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_RESOLUTION_LIST, CBN_SETFOCUS), (LPARAM)list);
        SendMessageA(list, CB_SETCURSEL, index, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_RESOLUTION_LIST, CBN_SELCHANGE), (LPARAM)list);
    }
    static void Tick(HWND dialog)
    {
        SendMessageA(GetDlgItem(dialog, IDC_SWITCH_ENABLED), BM_CLICK, 0, 0);
    }
    static void SetHotkey(HWND dialog, int hotkey)
    {
        SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_SETHOTKEY, hotkey, 0);
    }
    // The next visible box of the program owned by `owner`.
    static HWND WaitForBox(driver::Program& program, HWND owner, DWORD timeout = driver::DEFAULT_TIMEOUT)
    {
        HWND found = NULL;
        driver::WaitFor([&] {
            for (HWND box : driver::ProcessWindows(program.id(), "#32770", "ﾚｿﾞﾙ ｳﾞｧ"))
                if (GetWindow(box, GW_OWNER) == owner && IsWindowVisible(box))
                    found = box;
            return found != NULL;
        }, timeout);
        return found;
    }
    // The test button, its announcement answered with OK; the question that
    // follows is returned open, asked at the tried resolution.
    static HWND StartTrial(driver::Program& program, HWND dialog)
    {
        driver::PostCommand(dialog, IDC_TEST);
        HWND announcement = WaitForBox(program, dialog);
        EXPECT_TRUE(announcement);
        EXPECT_EQ(0u, driver::MessageBoxText(announcement).find("一時的にﾃﾞｽｸﾄｯﾌﾟのｻｲｽﾞを変更します。"));
        driver::PostCommand(announcement, IDOK);
        EXPECT_TRUE(driver::WaitUntilGone(announcement));
        HWND question = WaitForBox(program, dialog);
        EXPECT_TRUE(question);
        return question;
    }
    static bool Ticked(HWND dialog)
    {
        return IsDlgButtonChecked(dialog, IDC_SWITCH_ENABLED) == BST_CHECKED;
    }
    static int IndexOf(const char* entry)
    {
        for (int i = 0; i < ENTRY_COUNT; ++i)
            if (std::string(ENTRIES[i]) == entry)
                return i;
        return -1;
    }
};

TEST_F(SettingsE2E, OkStoresTheTickedResolutionWithItsHotkeyAndRegistersIt)
{
    driver::Program program(PROGRAM);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    ASSERT_FALSE(driver::HotkeyTaken(MOD_CONTROL | MOD_ALT, 'A'));
    HWND dialog = OpenSettings(program, window);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(window, GetWindow(dialog, GW_OWNER));
    EXPECT_EQ("切り替え有効(\x1E" "E\x1F" "ﾕ)", driver::ControlText(dialog, IDC_SWITCH_ENABLED));
    HWND list = GetDlgItem(dialog, IDC_RESOLUTION_LIST);
    // CB_GETLBTEXT does not cross processes under Wine; finding each entry does.
    ASSERT_EQ(ENTRY_COUNT, (int)SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < ENTRY_COUNT; ++i)
        EXPECT_EQ(i, (int)SendMessageA(list, CB_FINDSTRINGEXACT, -1, (LPARAM)ENTRIES[i])) << ENTRIES[i];
    EXPECT_EQ(IndexOf("1024 x 768"), (int)SendMessageA(list, CB_GETCURSEL, 0, 0));

    Select(dialog, IndexOf("800 x 600"));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_HOTKEY)));
    Tick(dialog);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_HOTKEY)));
    SetHotkey(dialog, CTRL_ALT_A);
    driver::PostCommand(dialog, IDOK);
    ASSERT_TRUE(driver::WaitUntilGone(dialog));

    for (const char* entry : ENTRIES) {
        testreg::Value value = testreg::Read(HKEY_CURRENT_USER, KEY, ValueName(entry).c_str());
        std::string expected = std::string(entry) == "800 x 600" ? "1,00000641" : "0,00000000";
        EXPECT_EQ((DWORD)REG_SZ, value.type) << entry;
        EXPECT_EQ(std::string(expected.c_str(), 11), std::string(value.data.begin(), value.data.end()))
            << entry;
    }
    // The new hotkey is registered once the dialog has closed, and freed at exit.
    EXPECT_TRUE(driver::WaitFor([] { return driver::HotkeyTaken(MOD_CONTROL | MOD_ALT, 'A'); }));
    EXPECT_EQ(0, Exit(program, window));
    EXPECT_FALSE(driver::HotkeyTaken(MOD_CONTROL | MOD_ALT, 'A'));
}

TEST_F(SettingsE2E, CancelAfterEditingSeveralEntriesLeavesEverySlotAndHotkeyAsBefore)
{
    struct Stored {
        const char* name;
        const char* data;
    } const stored[] = {
        {"Res640x480", "1,00000641"},   // Ctrl+Alt+A
        {"Res800x600", "0,00000642"},   // Ctrl+Alt+B, switching off: still registered
        {"Res1024x768", "1,00000000"},
    };
    for (const Stored& s : stored)
        testreg::WriteString(HKEY_CURRENT_USER, KEY, s.name, s.data);
    driver::Program program(PROGRAM);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    EXPECT_TRUE(driver::HotkeyTaken(MOD_CONTROL | MOD_ALT, 'A'));
    EXPECT_TRUE(driver::HotkeyTaken(MOD_CONTROL | MOD_ALT, 'B'));

    HWND dialog = OpenSettings(program, window);
    ASSERT_TRUE(dialog);
    // While the dialog is open no hotkey is registered, so any can be captured.
    EXPECT_FALSE(driver::HotkeyTaken(MOD_CONTROL | MOD_ALT, 'A'));
    EXPECT_FALSE(driver::HotkeyTaken(MOD_CONTROL | MOD_ALT, 'B'));
    Tick(dialog);  // 1024x768 off
    Select(dialog, IndexOf("640 x 480"));
    SetHotkey(dialog, MAKEWORD('C', HOTKEYF_ALT));
    Select(dialog, IndexOf("800 x 600"));
    Tick(dialog);
    Select(dialog, IndexOf("320 x 200"));
    Tick(dialog);
    driver::PostCommand(dialog, IDCANCEL);
    ASSERT_TRUE(driver::WaitUntilGone(dialog));

    EXPECT_EQ(3u, testreg::ValueNames(HKEY_CURRENT_USER, KEY).size());
    for (const Stored& s : stored)
        EXPECT_EQ(s.data, testreg::Read(HKEY_CURRENT_USER, KEY, s.name).text()) << s.name;
    EXPECT_TRUE(driver::WaitFor([] {
        return driver::HotkeyTaken(MOD_CONTROL | MOD_ALT, 'A') && driver::HotkeyTaken(MOD_CONTROL | MOD_ALT, 'B');
    }));
    EXPECT_FALSE(driver::HotkeyTaken(MOD_ALT, 'C'));

    // Opened again, the dialog shows the settings from before the cancel.
    dialog = OpenSettings(program, window);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(BST_CHECKED, (int)IsDlgButtonChecked(dialog, IDC_SWITCH_ENABLED));
    Select(dialog, IndexOf("640 x 480"));
    EXPECT_EQ(0x641, (int)SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_GETHOTKEY, 0, 0));
    driver::PostCommand(dialog, IDCANCEL);
    ASSERT_TRUE(driver::WaitUntilGone(dialog));
    EXPECT_EQ(0, Exit(program, window));
}

TEST_F(SettingsE2E, DuplicateHotkeysAreRefusedInJapaneseAndNothingIsStored)
{
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res640x480", "1,00000641");
    driver::Program program(PROGRAM);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    HWND dialog = OpenSettings(program, window);
    ASSERT_TRUE(dialog);
    Select(dialog, IndexOf("800 x 600"));
    Tick(dialog);
    SetHotkey(dialog, CTRL_ALT_A);
    driver::PostCommand(dialog, IDOK);
    HWND box = driver::WaitForDialog(program.id(), "ﾚｿﾞﾙ ｳﾞｧ");
    ASSERT_TRUE(box);
    EXPECT_EQ(dialog, GetWindow(box, GW_OWNER));
    EXPECT_EQ("ｼｮｰﾄｶｯﾄｷｰが重複しています。重複しないよう指定して下さい。", driver::MessageBoxText(box));
    driver::PostCommand(box, IDOK);
    ASSERT_TRUE(driver::WaitUntilGone(box));
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_EQ(IndexOf("800 x 600"), (int)SendDlgItemMessageA(dialog, IDC_RESOLUTION_LIST, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(1u, testreg::ValueNames(HKEY_CURRENT_USER, KEY).size());
    driver::PostCommand(dialog, IDCANCEL);
    ASSERT_TRUE(driver::WaitUntilGone(dialog));
    EXPECT_EQ(0, Exit(program, window));
}

TEST_F(SettingsE2E, TrialShowsTheResolutionAndAlwaysReturnsTheAnswerOnlyTicksTheBox)
{
    driver::Program program(PROGRAM);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    HWND dialog = OpenSettings(program, window);
    ASSERT_TRUE(dialog);
    Select(dialog, IndexOf("800 x 600"));
    HWND hotkey = GetDlgItem(dialog, IDC_HOTKEY);

    HWND question = StartTrial(program, dialog);
    ASSERT_TRUE(question);
    EXPECT_TRUE(ScreenBecomes(800, 600));
    EXPECT_EQ("はい(&Y)", driver::ControlText(question, IDOK));
    PostMessageA(GetDlgItem(question, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(driver::WaitUntilGone(question));
    EXPECT_TRUE(ScreenBecomes(1024, 768));
    EXPECT_TRUE(driver::WaitFor([&] { return Ticked(dialog); }));
    EXPECT_TRUE(IsWindowEnabled(hotkey));

    question = StartTrial(program, dialog);
    ASSERT_TRUE(question);
    EXPECT_TRUE(ScreenBecomes(800, 600));
    EXPECT_EQ("いいえ(&N)", driver::ControlText(question, IDCANCEL));
    PostMessageA(GetDlgItem(question, IDCANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(driver::WaitUntilGone(question));
    EXPECT_TRUE(ScreenBecomes(1024, 768));
    EXPECT_TRUE(driver::WaitFor([&] { return !Ticked(dialog); }));
    EXPECT_FALSE(IsWindowEnabled(hotkey));

    // Ticked again by hand, then the question left alone: after ten
    // seconds it counts as "no".
    Tick(dialog);
    question = StartTrial(program, dialog);
    ASSERT_TRUE(question);
    EXPECT_TRUE(ScreenBecomes(800, 600));
    Sleep(8000);
    EXPECT_TRUE(IsWindow(question));
    ASSERT_TRUE(driver::WaitUntilGone(question, 6000));
    EXPECT_TRUE(ScreenBecomes(1024, 768));
    EXPECT_TRUE(driver::WaitFor([&] { return !Ticked(dialog); }));
    EXPECT_FALSE(IsWindowEnabled(hotkey));

    // The answers live in the dialog only: Cancel stores nothing.
    driver::PostCommand(dialog, IDCANCEL);
    ASSERT_TRUE(driver::WaitUntilGone(dialog));
    EXPECT_TRUE(testreg::ValueNames(HKEY_CURRENT_USER, KEY).empty());
    EXPECT_EQ(0, Exit(program, window));
}

TEST_F(SettingsE2E, WhileTheDialogIsOpenTheTrayBringsItForwardAndNoSecondOneOpens)
{
    driver::Program program(PROGRAM);
    HWND window = Start(program);
    ASSERT_TRUE(window);
    HWND dialog = OpenSettings(program, window);
    ASSERT_TRUE(dialog);
    Select(dialog, IndexOf("800 x 600"));
    Tick(dialog);

    // Something else in front, then a click on the tray icon: the dialog
    // comes forward, and no menu opens from which a second one could.
    HWND elsewhere = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    SetForegroundWindow(elsewhere);
    EXPECT_TRUE(driver::WaitFor([&] { return GetForegroundWindow() == elsewhere; }));
    PostMessageA(window, WM_TRAYICON, TRAY_ICON_ID, WM_RBUTTONUP);
    EXPECT_TRUE(driver::WaitFor([&] { return GetForegroundWindow() == dialog; }));
    DestroyWindow(elsewhere);
    EXPECT_FALSE(driver::WaitFor([&] { return VisibleMenu(program.id()) != NULL; }, 600));
    // Commands from a menu opened before the dialog are refused too.
    driver::PostCommand(window, IDM_SETTINGS);
    EXPECT_FALSE(driver::WaitFor([&] {
        return driver::ProcessWindows(program.id(), "#32770", SETTINGS_TITLE).size() > 1;
    }, 600));
    driver::PostCommand(window, 106);  // 終了(&X)
    EXPECT_EQ(-1, program.WaitForExit(600));

    // The first dialog works on and stores the slot it shows.
    SetHotkey(dialog, CTRL_ALT_A);
    driver::PostCommand(dialog, IDOK);
    ASSERT_TRUE(driver::WaitUntilGone(dialog));
    EXPECT_EQ("1,00000641", testreg::Read(HKEY_CURRENT_USER, KEY, "Res800x600").text());
    EXPECT_EQ("0,00000000", testreg::Read(HKEY_CURRENT_USER, KEY, "Res1024x768").text());
    EXPECT_EQ(0, Exit(program, window));
}

TEST_F(SettingsE2E, HotkeysSwitchTheResolutionAndADisabledSlotsHotkeyDoesNothing)
{
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res800x600", "1,00000641");   // Ctrl+Alt+A
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res1024x768", "1,00000642");  // Ctrl+Alt+B
    testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res640x480", "0,00000643");   // Ctrl+Alt+C, off
    driver::Program program(PROGRAM);
    HWND window = Start(program);
    ASSERT_TRUE(window);

    EXPECT_TRUE(driver::HotkeyTaken(MOD_CONTROL | MOD_ALT, 'C'));
    driver::PressCtrlAlt('C');
    EXPECT_FALSE(ScreenBecomes(640, 480, 1000));
    EXPECT_EQ(1024, GetSystemMetrics(SM_CXSCREEN));

    driver::PressCtrlAlt('A');
    EXPECT_TRUE(ScreenBecomes(800, 600));
    driver::PressCtrlAlt('B');
    EXPECT_TRUE(ScreenBecomes(1024, 768));
    EXPECT_EQ(0, Exit(program, window));
}

// Fault matrix: a second start and a hotkey while the dialog opens.
TEST_F(SettingsE2E, FaultMatrixSecondStartAndHotkeysAsTheDialogOpens)
{
    const int slot = IndexOf("800 x 600");
    matrix::Case("NRXVGCHG e2e: a second start while the settings dialog is open", 15000, [&] {
        driver::Program program(PROGRAM);
        HWND window = Start(program);
        ASSERT_TRUE(window);
        HWND dialog = OpenSettings(program, window);
        ASSERT_TRUE(dialog);
        matrix::Snapshot before = Footprint();
        {
            driver::Program second(PROGRAM);
            driver::BoxAnswerer boxes(second.id());
            EXPECT_EQ(1, second.WaitForExit());
            EXPECT_TRUE(boxes.Seen().empty());
        }
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_EQ("", matrix::ChangesOutside(before, Footprint(), matrix::Within({})));
        driver::PostCommand(dialog, IDCANCEL);
        EXPECT_TRUE(driver::WaitUntilGone(dialog));
        EXPECT_EQ(0, Exit(program, window));
    });
    // Queued behind the command, the hotkey arrives while the dialog is
    // open; pressed just before, it may come first, and switches then.
    struct HotkeyCase {
        const char* what;
        bool pressed;
    } cases[] = {{"NRXVGCHG e2e: a hotkey that arrives as the settings dialog opens", false},
                 {"NRXVGCHG e2e: the hotkey pressed as the settings dialog opens", true}};
    for (const HotkeyCase& c : cases) {
        matrix::Case(c.what, 20000, [&] {
            testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res800x600", "1,00000641");  // Ctrl+Alt+A
            matrix::Snapshot before = Footprint();
            driver::Program program(PROGRAM);
            HWND window = Start(program);
            ASSERT_TRUE(window);
            if (c.pressed)
                driver::PressCtrlAlt('A');
            driver::PostCommand(window, IDM_SETTINGS);
            if (!c.pressed)
                PostMessageA(window, WM_HOTKEY, slot, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'A'));
            HWND dialog = driver::WaitForDialog(program.id(), SETTINGS_TITLE);
            ASSERT_TRUE(dialog);
            if (!c.pressed)
                EXPECT_FALSE(ScreenBecomes(800, 600, 1000)) << "no switch under the dialog";
            EXPECT_FALSE(driver::WaitFor([&] { return driver::ProcessWindows(program.id(), "#32770").size() > 1; },
                                         600))
                << "the dialog alone";
            bool switched = ScreenIs(800, 600);
            EXPECT_TRUE(switched || ScreenIs(1024, 768));
            driver::PostCommand(dialog, IDCANCEL);
            ASSERT_TRUE(driver::WaitUntilGone(dialog));
            // The hotkeys are back, once the program has registered them again.
            ASSERT_TRUE(driver::WaitFor([] { return driver::HotkeyTaken(MOD_CONTROL | MOD_ALT, 'A'); }));
            driver::PressCtrlAlt('A');
            if (!switched)
                EXPECT_TRUE(ScreenBecomes(800, 600));
            EXPECT_EQ(0, Exit(program, window));
            EXPECT_EQ("", ChangesBesideSettings(before));
        });
        driver::SetScreen(1024, 768);
    }
}

}  // namespace
