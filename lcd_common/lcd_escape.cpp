// The LCD control escape, sent through the display seam.
#include "lcd_escape.h"
#include "lcd_display.h"

int SendLcdEscape(DWORD subFunction, void* output, int outputSize)
{
    ZeroMemory(output, outputSize);
    return lcd_display::Escape(LCD_CONTROL_ESCAPE, sizeof(subFunction), &subFunction, outputSize,
                               output);
}
