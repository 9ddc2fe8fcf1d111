// Restarts Windows through NRXCHG32.DLL bound at run time, for a program that
// must also start where the library is missing.
#ifndef DISPLAY_HELPER_RESTART_NOW_H
#define DISPLAY_HELPER_RESTART_NOW_H

#include <windows.h>

// ExitWindowsEx's flags when the library or its export is missing: EWX_REBOOT with 0x40.
const UINT FALLBACK_RESTART_FLAGS = EWX_REBOOT | 0x40;

// Calls the library's RestartWindows and frees the library; without the
// library or the export, ExitWindowsEx(FALLBACK_RESTART_FLAGS, 0). Returns
// while the restart is under way.
void RestartWindowsNow();

#endif
