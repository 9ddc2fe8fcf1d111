// Dialog 101, where the user chooses the driver, the utility or both.
#include "selection_dialog.h"
#include "center_window.h"
#include "install_records.h"
#include "resource.h"
#include "uninstall_sequence.h"
#include "uninstaller_state.h"

static const INT_PTR DIALOG_ENDED = 1;
// Set in the dialog's own word once the sequence has begun: a second OK,
// clicked while the first run's DDE calls or final message pump messages,
// must not start it again.
static const LONG_PTR SEQUENCE_BEGUN = 1;

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

static INT_PTR OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDOK:
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
    SetWindowLongPtrA(dialog, DWLP_USER, SEQUENCE_BEGUN);
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
    RefreshSelection(dialog);
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
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
