// The settings dialog: which resolutions take part in quick switching, and
// the hotkey of each.
#ifndef NRXVGCHG_SETTINGS_DIALOG_H
#define NRXVGCHG_SETTINGS_DIALOG_H

#include <windows.h>
#include "mode_tables.h"

const int NO_SLOT = -1;

// Modal; IDOK or IDCANCEL. The caller removes the hotkey windows before and
// creates them again after.
INT_PTR RunSettingsDialog(HWND toolWindow);
// The later slot of the first pair (in table order) of switch-enabled slots
// whose hotkeys would register the same combination; NO_SLOT when none.
int FindDuplicateHotkey(const ResolutionSlotTable& table);

#endif
