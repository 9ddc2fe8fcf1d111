// The LCD programs' display seam for in-process tests.
#include "simulated_lcd_screen.h"
#include "lcd_display.h"
#include "display_seam.h"
#include "simulated_display.h"
#include "simulated_lcd_panel.h"

namespace simulated {

POINT& LcdPointer()
{
    static POINT pointer = {0, 0};
    return pointer;
}

}  // namespace simulated

namespace lcd_display {

int Escape(int escape, int inputSize, const void* input, int outputSize, void* output)
{
    return simulated_panel::Escape(escape, inputSize, input, outputSize, output);
}

BOOL EnumMode(DWORD modeNumber, DEVMODEA* mode)
{
    return display::EnumMode(modeNumber, mode);
}

LONG ChangeMode(DEVMODEA* mode, DWORD flags)
{
    LONG result = display::ChangeMode(mode, flags);
    if (result == DISP_CHANGE_SUCCESSFUL && (flags & CDS_TEST) == 0)
        simulated_panel::ModeSet(*mode, flags);
    return result;
}

void DeviceResolution(int* width, int* height)
{
    ScreenSize(width, height);
}

void ScreenSize(int* width, int* height)
{
    *width = simulated::TheAdapter().screenWidth;
    *height = simulated::TheAdapter().screenHeight;
}

void GetPointer(POINT* position)
{
    *position = simulated::LcdPointer();
}

void SetPointer(int x, int y)
{
    simulated::LcdPointer().x = x;
    simulated::LcdPointer().y = y;
}

}  // namespace lcd_display
