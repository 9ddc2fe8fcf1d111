// The LCD programs' display seam in their testbed builds, escape and modes
// (the screen and pointer are real, lcd_screen_win32.cpp): the simulated LCD
// panel answers the escape, and the Wine desktop's modes are listed as a
// Windows 95/98 display driver lists them, every refresh rate 0 (Wine lists
// 60 Hz), so that the programs' mode search works as on such a machine.
#include "lcd_display.h"
#include "lcd_helpers.h"
#include "simulated_lcd_panel.h"

namespace lcd_display {

int Escape(int escape, int inputSize, const void* input, int outputSize, void* output)
{
    return simulated_panel::Escape(escape, inputSize, input, outputSize, output);
}

BOOL EnumMode(DWORD modeNumber, DEVMODEA* mode)
{
    if (!EnumDisplaySettingsA(NULL, modeNumber, mode))
        return FALSE;
    if (!IsWindowsNt())
        mode->dmDisplayFrequency = 0;
    return TRUE;
}

LONG ChangeMode(DEVMODEA* mode, DWORD flags)
{
    // Wine picks its own rate for a mode that names none.
    DEVMODEA wanted = *mode;
    if (wanted.dmDisplayFrequency == 0)
        wanted.dmFields &= ~DM_DISPLAYFREQUENCY;
    LONG result = ChangeDisplaySettingsA(&wanted, flags);
    if (result == DISP_CHANGE_SUCCESSFUL)
        simulated_panel::ModeSet(*mode, flags);
    return result;
}

}  // namespace lcd_display
