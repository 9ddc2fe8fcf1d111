// Asks the running display driver about the LCD control escape and the panel.
#include "panel_check.h"
#include "lcd_display.h"
#include "lcd_escape.h"

// The first version of the escape that reports the panel as ROTSEL reads it.
static const DWORD LCD_ESCAPE_VERSION = 0x100;

bool DriverSupportsLcdEscape()
{
    DWORD escape = LCD_CONTROL_ESCAPE;
    if (lcd_display::Escape(QUERYESCSUPPORT, sizeof(escape), &escape, 0, NULL) <= 0)
        return false;
    DWORD version = 0;
    if (SendLcdEscape(LCD_QUERY_VERSION, &version, sizeof(version)) <= 0)
        return false;
    return version >= LCD_ESCAPE_VERSION;
}

bool IsPanelConnected()
{
    // A failed query leaves the zeroed reply: no panel.
    LcdStateReply reply;
    SendLcdEscape(LCD_QUERY_STATE, &reply, sizeof(reply));
    return (reply.caps & PANEL_LCD) != 0;
}
