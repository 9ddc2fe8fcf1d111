// A start-up benchmark's yardstick for ROTSEL: its switching dialog's
// template shown by a program that does nothing else, so that what Wine
// takes to build that dialog is told apart from ROTSEL's own checks.
#include <windows.h>

#include "resource.h"

static INT_PTR CALLBACK BareDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_CLOSE || (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return (int)DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_TO_STANDARD_DRIVER), NULL, BareDialogProc, 0);
}
