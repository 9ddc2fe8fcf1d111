// The notification icon's menu and the hidden window that owns it.
#ifndef PIVOTER_TRAY_MENU_H
#define PIVOTER_TRAY_MENU_H

#include <windows.h>

extern const char MENU_OWNER_CLASS[];

// ﾊﾞｰｼﾞｮﾝ情報, a separator and 終了; NULL when the menu cannot be created.
HMENU BuildTrayMenu();
// The menu at the mouse cursor; false only when it cannot be created.
bool ShowTrayMenu();
LRESULT CALLBACK MenuOwnerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
