// The notification icon's menu and the hidden window that owns it.
#include "tray_menu.h"
#include "program_state.h"
#include "resource.h"

const char MENU_OWNER_CLASS[] = "PivoterMenuClass";

// Shared by the menu labels; AppendMenuA copies each one.
static char labelBuffer[256];

static const char* Label(UINT id)
{
    if (LoadStringA(Program.instance, id, labelBuffer, sizeof(labelBuffer)) <= 0)
        labelBuffer[0] = '\0';
    return labelBuffer;
}

HMENU BuildTrayMenu()
{
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return NULL;
    AppendMenuA(menu, MF_STRING, IDM_ABOUT, Label(IDS_MENU_ABOUT));
    AppendMenuA(menu, MF_SEPARATOR, 0, NULL);
    AppendMenuA(menu, MF_STRING, IDM_EXIT, Label(IDS_MENU_EXIT));
    return menu;
}

bool ShowTrayMenu()
{
    POINT pointer;
    GetCursorPos(&pointer);
    HMENU menu = BuildTrayMenu();
    if (!menu)
        return false;
    // The menu only closes on a click elsewhere when its owner is in the
    // foreground; a hidden owner of its own serves.
    HWND owner = CreateWindowExA(0, MENU_OWNER_CLASS, NULL, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL,
                                 Program.instance, NULL);
    SetForegroundWindow(owner);
    SetFocus(owner);
    TrackPopupMenu(menu, 0, pointer.x, pointer.y, 0, owner, NULL);
    DestroyMenu(menu);
    // Queued behind the chosen command, if any, so the owner goes after it
    // has passed the command on; a menu closed without a choice leaves none.
    PostMessageA(owner, WM_CLOSE, 0, 0);
    return true;
}

LRESULT CALLBACK MenuOwnerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        SendMessageA(Program.mainWindow, WM_COMMAND, wParam, lParam);
        DestroyWindow(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
