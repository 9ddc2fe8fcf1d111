// Dialogs of a mode change: the timed question whether the display is right,
// and the choice between a restart and a live colour-depth change.
#include "switch_dialogs.h"
#include "modal.h"
#include "resource.h"
#include "texts.h"

// Both dialogs paint their background with a brush of their own, kept with
// the dialog (in its DWLP_USER) from WM_INITDIALOG to WM_DESTROY.
static void InitCommon(HWND dialog)
{
    CenterDialog(dialog);
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    SendDlgItemMessageA(dialog, IDC_QUESTION_ICON, STM_SETICON,
                        (WPARAM)LoadIconA(NULL, IDI_QUESTION), 0);
}

static HBRUSH BrushOf(HWND dialog)
{
    return (HBRUSH)GetWindowLongPtrA(dialog, DWLP_USER);
}

static void DeleteBrush(HWND dialog)
{
    if (BrushOf(dialog))
        DeleteObject(BrushOf(dialog));
    SetWindowLongPtrA(dialog, DWLP_USER, 0);
}

static BOOL OnConfirmationInit(HWND dialog)
{
    InitCommon(dialog);
    // "No" is the default: Enter or Space on a display the user cannot
    // read must not keep the new mode.
    SendDlgItemMessageA(dialog, IDOK, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    SendDlgItemMessageA(dialog, IDCANCEL, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    SetFocus(GetDlgItem(dialog, IDCANCEL));
    SetTimer(dialog, TIMER_TEST_TIMEOUT, TEST_TIMEOUT, NULL);
    return FALSE;  // the focus is set
}

static INT_PTR CALLBACK ConfirmationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnConfirmationInit(dialog);
    case WM_TIMER:
        // Not restarted by input: the question ends ten seconds after it opened.
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    case WM_CTLCOLORDLG:
        return (INT_PTR)BrushOf(dialog);
    case WM_DESTROY:
        KillTimer(dialog, TIMER_TEST_TIMEOUT);
        DeleteBrush(dialog);
        return FALSE;
    }
    return FALSE;
}

static INT_PTR CALLBACK RestartOrSwitchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitCommon(dialog);
        MessageBeep(MB_ICONQUESTION);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDC_SWITCH_LIVE)
            EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    case WM_CTLCOLORDLG:
        return (INT_PTR)BrushOf(dialog);
    case WM_DESTROY:
        DeleteBrush(dialog);
        return FALSE;
    }
    return FALSE;
}

INT_PTR RunConfirmationDialog(HWND owner)
{
    return RunModalDialog(owner, IDD_CONFIRM, ConfirmationDialogProc, 0);
}

INT_PTR RunRestartOrSwitchDialog(HWND owner)
{
    return RunModalDialog(owner, IDD_RESTART_OR_SWITCH, RestartOrSwitchDialogProc, 0);
}
