// The LCD control escape of the vendor's portrait-capable display driver:
// escape and sub-function numbers, the 64-byte state reply, the panel state
// and its flag bits. Shared by both LCD programs and the simulated panel.
#ifndef LCD_COMMON_LCD_ESCAPE_H
#define LCD_COMMON_LCD_ESCAPE_H

#include <windows.h>
#include <stddef.h>

const int LCD_CONTROL_ESCAPE = 0x3140;

// The escape's 4-byte input: one sub-function number.
const DWORD LCD_QUERY_STATE = 0;    // output: LcdStateReply
const DWORD LCD_QUERY_VERSION = 2;  // output: a 32-bit version number

// Flag bits of PanelState::caps (available) and PanelState::state (in effect or wanted).
const DWORD PANEL_LCD = 0x01;          // panel present / LCD output on
const DWORD PANEL_SECOND = 0x02;       // second display output
const DWORD PANEL_OPTION = 0x04;       // the option of the adjust rule
const DWORD PANEL_OPTION_FIXED = 0x08; // option fixed by the rule; never stored
const DWORD PANEL_BOTH = 0x10;         // mode that needs both outputs
const DWORD PANEL_REFINED = 0x20;      // refinement of PANEL_BOTH; no mode change of its own
const DWORD PANEL_PORTRAIT = 0x80;     // portrait presentation

// The state query's reply, little-endian 32-bit fields.
struct LcdStateReply {
    DWORD unused0[6];
    DWORD bitsPerPixel;  // of the display mode for the panel's current state
    DWORD width;
    DWORD height;
    DWORD refresh;
    DWORD unused40;
    DWORD caps;
    DWORD state;
    DWORD panelWidth;
    DWORD panelHeight;
    DWORD unused60;
};
static_assert(sizeof(LcdStateReply) == 64, "the reply is 64 bytes");
static_assert(offsetof(LcdStateReply, bitsPerPixel) == 24, "mode fields at 24");
static_assert(offsetof(LcdStateReply, caps) == 44, "panel state at 44");

// The four fields copied from offsets 44 to 59 of the reply, in this order.
struct PanelState {
    DWORD caps;
    DWORD state;
    DWORD panelWidth;
    DWORD panelHeight;
};

// Sends the LCD control escape with `subFunction` on a screen device
// context; the output is zeroed first, so bytes the driver leaves unwritten
// read as 0. The escape's result (0 or less: failed).
int SendLcdEscape(DWORD subFunction, void* output, int outputSize);

#endif
