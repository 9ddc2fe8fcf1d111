// What the uninstall sequence calls once the adapter's own driver entries are
// gone: a standard display configured for the next start of Windows. Neither
// call takes arguments, returns anything or shows anything; a registry or
// SYSTEM.INI write that fails is passed over.
#ifndef DISPLAY_RESTORE_DISPLAY_RESTORE_H
#define DISPLAY_RESTORE_DISPLAY_RESTORE_H

// PC/AT machines: registers a standard VGA adapter, sets 640x480 at 4 bits
// per pixel in configuration 0001 (when it has display settings) and names
// the adapter in SYSTEM.INI.
void RestoreVgaDisplayConfig();

// PC-98 machines: re-enables the display devices the BIOS enumerator found
// in configuration 0001, or registers a 9821-series standard display when it
// found none; then 640x480 at 8 bits per pixel and SYSTEM.INI as above.
void RestorePc98DisplayConfig();

// Whether the display class entry `className` ("0000") is that of a
// root-enumerated display, such as a restore registers: no board's entry,
// whatever name a board's records give.
bool IsRootDisplayClass(const char* className);

#endif
