// Places the uninstaller's dialog in the middle of the screen.
#ifndef NRXDEL_CENTER_WINDOW_H
#define NRXDEL_CENTER_WINDOW_H

#include <windows.h>

// Moves `window` to the centre of the screen, keeping its size and z-order.
void CenterWindow(HWND window);

#endif
