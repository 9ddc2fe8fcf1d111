// Start-up of the uninstaller: the first run moves the program into the
// Windows directory and starts it there; that copy identifies the board and
// shows the selection dialog.
#ifndef NRXDEL_STARTUP_H
#define NRXDEL_STARTUP_H

#include <windows.h>

// Records the start directory as "BootDir", copies NRXDEL.EXE from it into
// the Windows directory and starts the copy there (both directories from
// UninstallerState). 1 when the copy was started, 0 after a failure message.
int RelocateToWindowsDir();
// Reads "BootDir" and sets BoardCode, MachineType, and RestartNeeded to 0
// when the board is not in the running hardware tree.
void IdentifyBoard();
// The Windows, system and INF directories of UninstallerState.
void LoadSystemDirectories();
// The whole program; its exit code.
int RunUninstaller(HINSTANCE instance);

#endif
