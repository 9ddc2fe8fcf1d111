// The settings dialog: which resolutions take part in quick switching, and
// the hotkey of each.
#ifndef NRXVGCHG_SETTINGS_DIALOG_H
#define NRXVGCHG_SETTINGS_DIALOG_H

#include <windows.h>

// Modal; IDOK or IDCANCEL. The caller removes the hotkey windows before and
// creates them again after.
INT_PTR RunSettingsDialog(HWND toolWindow);

#endif
