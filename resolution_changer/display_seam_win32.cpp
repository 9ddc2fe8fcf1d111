// The display seam as the shipped program uses it: plain Win32 calls.
#include "display_seam.h"

namespace display {

// GetDeviceCaps index of the Windows 95 capability bits, absent from old headers.
static const int CAPS1_INDEX = 94;
static const int CAPS1_NEWER_DRIVER_BITS = 0x10 | 0x80;

BOOL EnumMode(DWORD modeNumber, DEVMODEA* mode)
{
    return EnumDisplaySettingsA(NULL, modeNumber, mode);
}

LONG ChangeMode(DEVMODEA* mode, DWORD flags)
{
    return ChangeDisplaySettingsA(mode, flags);
}

int ScreenWidth()
{
    return GetSystemMetrics(SM_CXSCREEN);
}

int ScreenHeight()
{
    return GetSystemMetrics(SM_CYSCREEN);
}

int BitsPerPixel(HWND window)
{
    HDC dc = GetDC(window);
    int bits = GetDeviceCaps(dc, PLANES) * GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(window, dc);
    return bits;
}

bool DriverIsNewer()
{
    HDC dc = GetDC(NULL);
    int version = GetDeviceCaps(dc, DRIVERVERSION);
    int caps1 = GetDeviceCaps(dc, CAPS1_INDEX);
    ReleaseDC(NULL, dc);
    return version >= 0x400 && (caps1 & CAPS1_NEWER_DRIVER_BITS) == CAPS1_NEWER_DRIVER_BITS;
}

}  // namespace display
