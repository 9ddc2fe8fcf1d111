// What the start-up benchmark's same-work baselines share: a window class
// registered, the tray icon added or removed as the programs do it, and the
// message loop. Plain Win32 without the C runtime, like the programs.
#ifndef TESTBED_SAME_WORK_H
#define TESTBED_SAME_WORK_H

#include <windows.h>

namespace same_work {

// RegisterClassA with these fields and the others zero; the background is
// a COLOR_ index.
void RegisterWindowClass(const char* name, WNDPROC procedure, UINT style, int windowExtra, HICON icon,
                         HCURSOR cursor, int background);
// Shell_NotifyIconA(`message`) with the classic 88-byte structure the
// programs pass: the callback message, the icon resource and a tip.
void TrayIcon(DWORD message, HWND window, UINT id, UINT callbackMessage, int iconResource);
// Until WM_QUIT; its exit code.
int RunMessageLoop();

}  // namespace same_work

#endif
