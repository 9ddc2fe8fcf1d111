// The one run of ROTSEL: the driver checks, the dialog for the driver
// installed now, and on 再起動(&R) the registry writes and the restart.
#ifndef ROTSEL_DRIVER_SWITCH_H
#define ROTSEL_DRIVER_SWITCH_H

#include <windows.h>

// Everything the program does, while `mainWindow` is being created; its
// message boxes and dialogs are owned by it.
void SwitchDisplayDriver(HWND mainWindow);

#endif
