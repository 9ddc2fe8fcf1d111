// The only way the LCD programs reach the display: the shipped programs call
// Win32 directly (lcd_display_win32.cpp); testbed builds put the simulated
// LCD panel behind it.
#ifndef LCD_COMMON_LCD_DISPLAY_H
#define LCD_COMMON_LCD_DISPLAY_H

#include <windows.h>

namespace lcd_display {

// ExtEscape on a device context of the whole screen, released right after.
int Escape(int escape, int inputSize, const void* input, int outputSize, void* output);
// EnumDisplaySettingsA on the primary display.
BOOL EnumMode(DWORD modeNumber, DEVMODEA* mode);
// ChangeDisplaySettingsA.
LONG ChangeMode(DEVMODEA* mode, DWORD flags);
// HORZRES and VERTRES of a screen device context.
void DeviceResolution(int* width, int* height);
// SM_CXSCREEN and SM_CYSCREEN.
void ScreenSize(int* width, int* height);
// GetCursorPos and SetCursorPos.
void GetPointer(POINT* position);
void SetPointer(int x, int y);

}  // namespace lcd_display

#endif
