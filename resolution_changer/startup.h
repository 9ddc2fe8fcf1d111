// Start-up of the resolution changer, up to its message loop.
#ifndef NRXVGCHG_STARTUP_H
#define NRXVGCHG_STARTUP_H

#include <windows.h>
#include "stored_settings.h"

void RegisterWindowClasses(HINSTANCE instance);
// The program path with its extension replaced by ".HLP"; false when the
// result would not fit.
bool MakeHelpFilePath(const char* programPath, char* helpPath, int size);
// The tool window at its stored place, pulled onto the screen; NULL when
// creation failed.
HWND CreateToolWindow(const StoredWindow& stored);
// Shows the new tool window with the starter's show command (never
// minimised), or hides it when it is to start hidden.
void ShowToolWindow(HWND window, const StoredWindow& stored, int showCommand);
// The whole program: start-up checks, windows, message loop. The exit code.
int RunProgram(HINSTANCE instance, int showCommand);

#endif
