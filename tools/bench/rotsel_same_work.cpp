// The start-up benchmark's same-work baseline for ROTSEL's testbed build on
// the benchmark's machine (the portrait driver loaded): the system work it
// must do before its dialog shows, in its order, and none of its own logic:
//   the single-instance check; its window class; the hidden main window,
//   whose WM_CREATE makes the vendor identification's reads (device and
//   driver key, switching information, the portrait driver's name from the
//   string table, the loaded driver) and shows dialog 102 owned by it,
//   titled, with the about item on its system menu, centred on the screen.
#include <windows.h>

#include "resource.h"
#include "same_work.h"
#include "vendor_reads.h"

static const char MAIN_CLASS[] = "RotselSameWork";

static HINSTANCE Instance;

static void InitDialog(HWND dialog)
{
    char title[128];
    if (LoadStringA(Instance, IDS_TITLE, title, sizeof(title)) > 0)
        SetWindowTextA(dialog, title);
    HMENU systemMenu = GetSystemMenu(dialog, FALSE);
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, NULL);
    AppendMenuA(systemMenu, MF_STRING, IDM_SYSTEM_ABOUT, "about");
    RECT r;
    GetWindowRect(dialog, &r);
    SetWindowPos(dialog, NULL, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        InitDialog(dialog);
        return FALSE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

static LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        char driverKey[64], portraitDriver[16];
        vendor_reads::DeviceDriver(driverKey);
        vendor_reads::SwitchInfo(driverKey);
        LoadStringA(Instance, IDS_LCD_DRIVER, portraitDriver, sizeof(portraitDriver));
        vendor_reads::LoadedDriver(driverKey);
        DialogBoxParamA(Instance, MAKEINTRESOURCEA(IDD_TO_STANDARD_DRIVER), window, DialogProc, 0);
        DestroyWindow(window);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    Instance = instance;
    FindWindowA(MAIN_CLASS, NULL);
    same_work::RegisterWindowClass(MAIN_CLASS, MainProc, 0, 0, NULL, NULL, COLOR_WINDOW);
    CreateWindowExA(0, MAIN_CLASS, NULL, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, NULL, NULL, instance, NULL);
    return same_work::RunMessageLoop();
}
