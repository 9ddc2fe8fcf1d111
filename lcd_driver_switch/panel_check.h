// What the LCD control escape tells ROTSEL: whether the running driver has
// it, new enough, and whether a panel is connected.
#ifndef ROTSEL_PANEL_CHECK_H
#define ROTSEL_PANEL_CHECK_H

// QUERYESCSUPPORT knows the escape and its version query answers 0x100 or more.
bool DriverSupportsLcdEscape();
// Bit 0x01 of `caps` from the state query; ask only after DriverSupportsLcdEscape.
bool IsPanelConnected();

#endif
