// The notification-area icon, its mouse handling and its menu.
#ifndef NRXVGCHG_TRAY_H
#define NRXVGCHG_TRAY_H

#include <windows.h>

const UINT WM_TRAYICON = WM_USER + 0x400;  // 0x0800
const UINT TRAY_ICON_ID = 11;
const UINT TIMER_TRAY_MENU = 12;
const UINT TRAY_MENU_DELAY = 200;  // ms between a single click and its menu

extern const char MENU_OWNER_CLASS[];

// Adds the icon; also when the shell announces a new taskbar.
void AddTrayIcon(HWND toolWindow);
// The shell's "TaskbarCreated" broadcast (registered when the icon is first added).
bool IsTaskbarCreated(UINT message);
void RemoveTrayIcon(HWND toolWindow);
// WM_TRAYICON: clicks open the menu after a delay, double clicks cycle.
void OnTrayIcon(HWND toolWindow, WPARAM iconId, LPARAM mouseMessage);
// WM_TIMER TIMER_TRAY_MENU: the tray form of the menu at the pointer.
void ShowTrayMenu(HWND toolWindow);
LRESULT CALLBACK MenuOwnerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
