// Start-up of ROTSEL: the single-instance check, the hidden main window in
// whose creation all the work happens, and the message loop.
#ifndef ROTSEL_STARTUP_H
#define ROTSEL_STARTUP_H

#include <windows.h>

extern const char MAIN_WINDOW_CLASS[];

// The whole program; the exit code (0).
int RunRotsel(HINSTANCE instance);

#endif
