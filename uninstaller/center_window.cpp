// Places the uninstaller's dialog in the middle of the screen.
#include "center_window.h"

void CenterWindow(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    // C division truncates toward zero, also for a window wider than the screen.
    int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    SetWindowPos(window, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
