// The settings dialog: which resolutions take part in quick switching, and
// the hotkey of each.
#include "settings_dialog.h"
#include "hotkey_window.h"
#include "modal.h"
#include "mode_tables.h"
#include "resource.h"
#include "stored_settings.h"
#include "switch_dialogs.h"
#include "switching.h"
#include "texts.h"

#include <commctrl.h>

// What one opening of the dialog keeps, with the dialog (its DWLP_USER), so
// that nothing of it can be shared with another.
struct SettingsDialogState {
    // The slot whose settings the controls show, or NO_SLOT while the list
    // has no selection (the current resolution is not in the table): then
    // nothing the controls hold belongs to any slot.
    int selectedSlot;
    // Every slot as it was when the dialog opened, for Cancel.
    ResolutionSlot savedTable[MAX_SLOTS];
};

static SettingsDialogState* StateOf(HWND dialog)
{
    return (SettingsDialogState*)GetWindowLongPtrA(dialog, DWLP_USER);
}

static bool SlotIsShown(const SettingsDialogState* state)
{
    return state->selectedSlot >= 0 && state->selectedSlot < ResolutionTable.count;
}

// The combination RegisterHotKey would get: HOTKEYF_EXT and anything above
// the second byte play no part there, so they must not make two equal.
static bool SameHotkeyCombination(int a, int b)
{
    return (a & 0xFF) == (b & 0xFF) &&
           HotkeyModifiers((a >> 8) & 0xFF) == HotkeyModifiers((b >> 8) & 0xFF);
}

static bool TakesPartWithHotkey(const ResolutionSlot& slot)
{
    return slot.switchEnabled && slot.hotkey != 0;
}

int FindDuplicateHotkey(const ResolutionSlotTable& table)
{
    for (int i = 0; i < table.count; ++i) {
        if (!TakesPartWithHotkey(table.slots[i]))
            continue;
        for (int j = i + 1; j < table.count; ++j)
            if (TakesPartWithHotkey(table.slots[j]) &&
                SameHotkeyCombination(table.slots[i].hotkey, table.slots[j].hotkey))
                return j;
    }
    return NO_SLOT;
}

// Shows the slot selected in the list.
static void LoadControls(HWND dialog)
{
    SettingsDialogState* state = StateOf(dialog);
    state->selectedSlot = (int)SendDlgItemMessageA(dialog, IDC_RESOLUTION_LIST, CB_GETCURSEL, 0, 0);
    if (!SlotIsShown(state)) {
        state->selectedSlot = NO_SLOT;
        return;
    }
    const ResolutionSlot& slot = ResolutionTable.slots[state->selectedSlot];
    HWND check = GetDlgItem(dialog, IDC_SWITCH_ENABLED);
    HWND hotkey = GetDlgItem(dialog, IDC_HOTKEY);
    SendMessageA(check, BM_SETCHECK, slot.switchEnabled ? BST_CHECKED : BST_UNCHECKED, 0);
    EnableWindow(check, slot.available != 0);
    // A key typed alone or with Shift alone would take that key from every
    // program: it becomes Alt plus the key.
    SendMessageA(hotkey, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_ALT, 0));
    SendMessageA(hotkey, HKM_SETHOTKEY, (WPARAM)slot.hotkey, 0);
    EnableWindow(hotkey, slot.switchEnabled && slot.available);
    EnableWindow(GetDlgItem(dialog, IDC_TEST), slot.available != 0);
}

// Keeps the controls' edits in the slot they show.
static void StoreControls(HWND dialog)
{
    const SettingsDialogState* state = StateOf(dialog);
    if (!SlotIsShown(state))
        return;
    ResolutionSlot* slot = &ResolutionTable.slots[state->selectedSlot];
    slot->switchEnabled = IsDlgButtonChecked(dialog, IDC_SWITCH_ENABLED) == BST_CHECKED ? 1 : 0;
    slot->hotkey = (int)LOWORD(SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_GETHOTKEY, 0, 0));
}

static BOOL OnInitDialog(HWND dialog, SettingsDialogState* state)
{
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)state);
    CopyMemory(state->savedTable, ResolutionTable.slots, sizeof(state->savedTable));
    state->selectedSlot = NO_SLOT;
    HWND list = GetDlgItem(dialog, IDC_RESOLUTION_LIST);
    for (int i = 0; i < ResolutionTable.count; ++i) {
        const ResolutionSlot& slot = ResolutionTable.slots[i];
        char entry[32];  // "65535 x 65535" at most
        wsprintfA(entry, "%d x %d", (int)slot.width, (int)slot.height);
        SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)entry);
        if (slot.width == CurrentDisplay.width && slot.height == CurrentDisplay.height) {
            SendMessageA(list, CB_SETCURSEL, i, 0);
            LoadControls(dialog);
        }
    }
    return TRUE;
}

static void OnSwitchEnabledClicked(HWND dialog)
{
    EnableWindow(GetDlgItem(dialog, IDC_HOTKEY),
                 IsDlgButtonChecked(dialog, IDC_SWITCH_ENABLED) == BST_CHECKED);
}

// A trial of the shown resolution: the user's answer only ticks or clears
// the check box, and the screen always goes back to where it was.
static void OnTest(HWND dialog)
{
    const SettingsDialogState* state = StateOf(dialog);
    if (!SlotIsShown(state))
        return;
    if (ShowMessage(dialog, IDS_ABOUT_TO_TEST, MB_OKCANCEL | MB_ICONASTERISK) != IDOK)
        return;
    int width = CurrentDisplay.width;
    int height = CurrentDisplay.height;
    const ResolutionSlot& slot = ResolutionTable.slots[state->selectedSlot];
    SwitchDisplayMode(dialog, slot.width, slot.height, CurrentDisplay.bitsPerPixel, 0);
    // Only a clear "yes" counts: a question that could not be asked is no answer.
    bool accepted = RunConfirmationDialog(dialog) == IDOK;
    CheckDlgButton(dialog, IDC_SWITCH_ENABLED, accepted ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dialog, IDC_HOTKEY), accepted);
    SwitchDisplayMode(dialog, width, height, CurrentDisplay.bitsPerPixel, 0);
}

static void OnOk(HWND dialog)
{
    StoreControls(dialog);
    int duplicate = FindDuplicateHotkey(ResolutionTable);
    if (duplicate != NO_SLOT) {
        ShowMessage(dialog, IDS_DUPLICATE_HOTKEY, MB_ICONHAND);
        SendDlgItemMessageA(dialog, IDC_RESOLUTION_LIST, CB_SETCURSEL, duplicate, 0);
        LoadControls(dialog);
        return;
    }
    StoreSlotSettings(ResolutionTable);
    EndDialog(dialog, IDOK);
}

// Only the user's choices go back: whether a resolution exists at the
// current depth is the display's business, and may have changed meanwhile.
static void OnCancel(HWND dialog)
{
    const ResolutionSlot* saved = StateOf(dialog)->savedTable;
    for (int i = 0; i < MAX_SLOTS; ++i) {
        ResolutionTable.slots[i].switchEnabled = saved[i].switchEnabled;
        ResolutionTable.slots[i].hotkey = saved[i].hotkey;
    }
    EndDialog(dialog, IDCANCEL);
}

static void OnCommand(HWND dialog, int id, int notification)
{
    switch (id) {
    case IDC_RESOLUTION_LIST:
        // Focus arriving at the list means the user is about to pick another
        // slot: keep the edits made to the one shown so far.
        if (notification == CBN_SETFOCUS)
            StoreControls(dialog);
        else if (notification == CBN_SELCHANGE)
            LoadControls(dialog);
        return;
    case IDC_SWITCH_ENABLED:
        if (notification == BN_CLICKED)
            OnSwitchEnabledClicked(dialog);
        return;
    case IDC_TEST:
        if (notification == BN_CLICKED)
            OnTest(dialog);
        return;
    case IDOK:
        OnOk(dialog);
        return;
    case IDCANCEL:
        OnCancel(dialog);
        return;
    }
}

static INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, (SettingsDialogState*)lParam);
    case WM_COMMAND:
        if (StateOf(dialog))  // nothing arrives before WM_INITDIALOG, but be sure
            OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

INT_PTR RunSettingsDialog(HWND toolWindow)
{
    SettingsDialogState state;  // lives as long as the dialog
    return RunModalDialog(toolWindow, IDD_SETTINGS, SettingsDialogProc, (LPARAM)&state);
}
