// The hidden main window: the notification icon, its clicks, the commands
// and the clean-up at the end.
#ifndef PIVOTER_MAIN_WINDOW_H
#define PIVOTER_MAIN_WINDOW_H

#include <windows.h>

extern const char MAIN_WINDOW_CLASS[];

const UINT WM_TRAYICON = 0x0800;
const UINT TRAY_ICON_ID = 106;
const UINT TIMER_TRAY_MENU = 107;
const UINT TRAY_MENU_DELAY = 200;  // ms from a right click to its menu

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The orientation toggle of a left click, keeping the pointer at the same
// distance from the nearer screen edges.
void ToggleKeepingPointer(HWND window);

#endif
