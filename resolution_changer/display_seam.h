// The only way the resolution changer reaches the display adapter. The shipped
// program calls Win32 directly (display_seam_win32.cpp); tests link a
// simulated adapter with exact mode lists and results instead.
#ifndef NRXVGCHG_DISPLAY_SEAM_H
#define NRXVGCHG_DISPLAY_SEAM_H

#include <windows.h>

namespace display {

// EnumDisplaySettingsA on the default display.
BOOL EnumMode(DWORD modeNumber, DEVMODEA* mode);
// ChangeDisplaySettingsA.
LONG ChangeMode(DEVMODEA* mode, DWORD flags);
// SM_CXSCREEN and SM_CYSCREEN.
int ScreenWidth();
int ScreenHeight();
// Planes times bits per pixel on the window's device context.
int BitsPerPixel(HWND window);
// True for a driver written for Windows 95 or later (DRIVERVERSION and CAPS1).
bool DriverIsNewer();

}  // namespace display

#endif
