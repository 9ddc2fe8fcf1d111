// Start-up of PIVOTER: the single-instance and driver checks, the panel
// check, the window classes and the message loop.
#ifndef PIVOTER_STARTUP_H
#define PIVOTER_STARTUP_H

#include <windows.h>

void RegisterWindowClasses(HINSTANCE instance);
// The hidden main window (its WM_CREATE adds the notification icon).
HWND CreateMainWindow();
// The whole program; the exit code.
int RunPivoter(HINSTANCE instance);

#endif
