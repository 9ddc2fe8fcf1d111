// The LCD programs' display seam as shipped, escape and modes: plain Win32 calls.
#include "lcd_display.h"

namespace lcd_display {

int Escape(int escape, int inputSize, const void* input, int outputSize, void* output)
{
    HDC screen = GetDC(NULL);
    int result = ExtEscape(screen, escape, inputSize, (LPCSTR)input, outputSize, (LPSTR)output);
    ReleaseDC(NULL, screen);
    return result;
}

BOOL EnumMode(DWORD modeNumber, DEVMODEA* mode)
{
    return EnumDisplaySettingsA(NULL, modeNumber, mode);
}

LONG ChangeMode(DEVMODEA* mode, DWORD flags)
{
    return ChangeDisplaySettingsA(mode, flags);
}

}  // namespace lcd_display
