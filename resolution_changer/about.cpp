// The about box.
#include "about.h"
#include "modal.h"
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
    return RunModalDialog(owner, IDD_ABOUT, AboutDialogProc, 0);
}
