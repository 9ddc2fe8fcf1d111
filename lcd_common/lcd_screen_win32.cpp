// The LCD programs' display seam, screen size and pointer: plain Win32
// calls, in every build that runs on a real screen (the testbed builds too).
#include "lcd_display.h"

namespace lcd_display {

void DeviceResolution(int* width, int* height)
{
    HDC screen = GetDC(NULL);
    *width = GetDeviceCaps(screen, HORZRES);
    *height = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(NULL, screen);
}

void ScreenSize(int* width, int* height)
{
    *width = GetSystemMetrics(SM_CXSCREEN);
    *height = GetSystemMetrics(SM_CYSCREEN);
}

void GetPointer(POINT* position)
{
    GetCursorPos(position);
}

void SetPointer(int x, int y)
{
    SetCursorPos(x, y);
}

}  // namespace lcd_display
