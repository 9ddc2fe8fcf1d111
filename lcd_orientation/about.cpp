// The about box, dialog 103: its texts all come from the template.
#include "about.h"
#include "program_state.h"
#include "resource.h"

static INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (wParam == IDOK || wParam == IDCANCEL) {
            EndDialog(dialog, wParam);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

INT_PTR ShowAboutBox(HWND owner)
{
    return DialogBoxParamA(Program.instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutDialogProc, 0);
}
