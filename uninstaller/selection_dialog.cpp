// Dialog 101, where the user chooses the driver, the utility or both.
#include "selection_dialog.h"
#include "center_window.h"
#include "install_records.h"
#include "resource.h"
#include "uninstall_sequence.h"
#include "uninstaller_state.h"

static const INT_PTR DIALOG_ENDED = 1;
// The dialog's own word: once OK is pressed the choice is made, and input
// that the sequence's DDE calls and final message dispatch (a click on a
// box, on ｷｬﾝｾﾙ, a second OK) changes nothing; once the sequence has begun
// it does not begin again.
static const LONG_PTR CHOOSING = 0;
static const LONG_PTR CHOSEN = 1;
static const LONG_PTR SEQUENCE_BEGUN = 2;

static int Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
}

// Done before every message: a half without install records cannot be
// chosen, and OK needs a choice.
static void RefreshSelection(HWND dialog)
{
    if (!KeyOpens(HKEY_LOCAL_MACHINE, DRIVER_RECORDS_KEY))
        EnableWindow(GetDlgItem(dialog, IDC_UNINSTALL_DRIVER), FALSE);
    if (!KeyOpens(HKEY_LOCAL_MACHINE, UTILITY_RECORDS_KEY))
        EnableWindow(GetDlgItem(dialog, IDC_UNINSTALL_UTILITY), FALSE);
    Uninstaller.driverSelected = Checked(dialog, IDC_UNINSTALL_DRIVER);
    Uninstaller.utilitySelected = Checked(dialog, IDC_UNINSTALL_UTILITY);
    EnableWindow(GetDlgItem(dialog, IDOK), Uninstaller.driverSelected || Uninstaller.utilitySelected);
}

static INT_PTR OnInitDialog(HWND dialog)
{
    CenterWindow(dialog);
    return TRUE;
}

// Cancelling forgets the start directory and nothing else.
static void OnCancel(HWND dialog)
{
    HKEY key;  // HKLM\SOFTWARE\NORIX\DISPLAY
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, INSTALL_KEY, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, BOOT_DIR_VALUE);
        RegCloseKey(key);
    }
    EndDialog(dialog, DIALOG_ENDED);
}

// The choice of this moment is the run's: the dialog takes no more input.
static void CloseChoice(HWND dialog, LONG_PTR state)
{
    SetWindowLongPtrA(dialog, DWLP_USER, state);
    EnableWindow(dialog, FALSE);
}

static INT_PTR OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDOK:
        CloseChoice(dialog, CHOSEN);
        CenterWindow(dialog);
        PostMessageA(dialog, WM_RUN_UNINSTALL, 0, 0);
        break;
    case IDCANCEL:
        OnCancel(dialog);
        break;
    }
    return TRUE;
}

static INT_PTR OnRunUninstall(HWND dialog)
{
    if (GetWindowLongPtrA(dialog, DWLP_USER) == SEQUENCE_BEGUN)
        return TRUE;
    CloseChoice(dialog, SEQUENCE_BEGUN);
    RunUninstall(dialog);
    return TRUE;
}

static INT_PTR OnRebootNow()
{
    ExitWindowsEx(EWX_REBOOT, 0);
    return TRUE;
}

INT_PTR CALLBACK SelectionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    bool choosing = GetWindowLongPtrA(dialog, DWLP_USER) == CHOOSING;
    if (choosing)
        RefreshSelection(dialog);
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        return choosing ? OnCommand(dialog, LOWORD(wParam)) : TRUE;
    case WM_RUN_UNINSTALL:
        return OnRunUninstall(dialog);
    case WM_REBOOT_NOW:
        return OnRebootNow();
    }
    return FALSE;
}

INT_PTR ShowSelectionDialog()
{
    return DialogBoxParamA(Uninstaller.instance, MAKEINTRESOURCEA(IDD_SELECTION), NULL,
                           SelectionDialogProc, 0);
}
