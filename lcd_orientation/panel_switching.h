// Switches the LCD panel between landscape and portrait: reads its state
// through the LCD control escape, computes the state of the other
// orientation, stores it where the driver reads it, and sets the display
// mode again so that the driver takes it into effect.
#ifndef PIVOTER_PANEL_SWITCHING_H
#define PIVOTER_PANEL_SWITCHING_H

#include <windows.h>
#include "lcd_escape.h"

// What the program keeps for switching while it runs.
struct PanelSwitching {
    PanelState current;   // refilled from the driver at each toggle
    DWORD previousState;  // taken at each toggle before any change
    DWORD landscapeState; // to return to from portrait; never stored
    HKEY settingsKey;     // held from the latest toggle until the next or the end
};

extern PanelSwitching Switching;

// Sub-function 0 into `panel`; all four fields 0 when the escape fails.
void QueryPanelState(PanelState* panel);
// Makes `caps` consistent and `state` a subset of it.
void NormalizePanelState(PanelState* panel);
// Sets bits 0x04 and 0x08 of `state` by the option rule.
void AdjustPanelOption(PanelState* panel);
// Landscape to portrait (remembering the landscape state) or back.
void TogglePortrait(PanelState* panel);
// "Direction" (Windows 95/98) and "LCDStatus"; true when "LCDStatus" was written.
bool StorePanelState(HKEY settingsKey, const PanelState& panel);
// RegSetValueExA on `key`; false for no key.
bool SetValueIfOpen(HKEY key, const char* name, const void* data, DWORD type, DWORD size);
// Sets the display mode the driver names again when the states differ in
// more than bit 0x20.
void ApplyPanelMode(DWORD newState, DWORD previousState);
// One complete switch; a failure to store is reported in a box owned by `owner`.
void TogglePanelOrientation(HWND owner);
// Closes the held settings key, if any.
void ReleasePanelSettingsKey();

#endif
