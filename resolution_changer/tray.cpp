// The notification-area icon, its mouse handling and its menu.
#include "tray.h"
#include "display_seam.h"
#include "menus.h"
#include "modal.h"
#include "resource.h"
#include "shell_state.h"
#include "switching.h"

#include <shellapi.h>

const char MENU_OWNER_CLASS[] = "NRXMENUWND";

static const char TRAY_TIP[] = "ﾚｿﾞﾙｳﾞｧ";
// The classic NOTIFYICONDATA size that every shell since Windows 95 accepts.
static const DWORD NOTIFYICONDATA_CLASSIC_SIZE = 88;

static void FillIconData(NOTIFYICONDATAA* data, HWND toolWindow)
{
    ZeroMemory(data, sizeof(*data));
    data->cbSize = NOTIFYICONDATA_CLASSIC_SIZE;
    data->hWnd = toolWindow;
    data->uID = TRAY_ICON_ID;
}

// The message a shell broadcasts when its taskbar has been created anew
// (after it restarted): the icons it showed are gone and must be added again.
static UINT TaskbarCreatedMessage = 0;

bool IsTaskbarCreated(UINT message)
{
    return TaskbarCreatedMessage != 0 && message == TaskbarCreatedMessage;
}

void AddTrayIcon(HWND toolWindow)
{
    if (!TaskbarCreatedMessage)
        TaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    NOTIFYICONDATAA data;
    FillIconData(&data, toolWindow);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAYICON;
    data.hIcon = LoadIconA(Shell.instance, MAKEINTRESOURCEA(IDI_PROGRAM));
    lstrcpynA(data.szTip, TRAY_TIP, 64);
    Shell_NotifyIconA(NIM_ADD, &data);
}

void RemoveTrayIcon(HWND toolWindow)
{
    NOTIFYICONDATAA data;
    FillIconData(&data, toolWindow);
    Shell_NotifyIconA(NIM_DELETE, &data);
}

// Cycles the resolution and keeps the pointer over the icon, which sits at
// the same distance from the nearer screen edges after the change.
static void OnTrayDoubleClick(HWND toolWindow)
{
    Shell.trayDoubleClicked = 1;
    KillTimer(toolWindow, TIMER_TRAY_MENU);
    POINT pointer;
    GetCursorPos(&pointer);
    if (pointer.x > display::ScreenWidth() / 2)
        pointer.x -= display::ScreenWidth();
    if (pointer.y > display::ScreenHeight() / 2)
        pointer.y -= display::ScreenHeight();
    if (!CycleResolution(toolWindow))
        return;
    if (pointer.x < 0)
        pointer.x += display::ScreenWidth();
    if (pointer.y < 0)
        pointer.y += display::ScreenHeight();
    SetCursorPos(pointer.x, pointer.y);
}

// While a dialog or box of ours is open, a click on the icon brings it to
// the front, as the system's own applets do, and starts nothing else.
void OnTrayIcon(HWND toolWindow, WPARAM iconId, LPARAM mouseMessage)
{
    if (iconId != TRAY_ICON_ID)
        return;
    switch (mouseMessage) {
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if (Shell.trayDoubleClicked)
            Shell.trayDoubleClicked = 0;
        else if (ModalOpen())
            BringModalToFront();
        else
            SetTimer(toolWindow, TIMER_TRAY_MENU, TRAY_MENU_DELAY, NULL);
        break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
        if (ModalOpen())
            BringModalToFront();
        else
            OnTrayDoubleClick(toolWindow);
        break;
    }
}

void ShowTrayMenu(HWND toolWindow)
{
    KillTimer(toolWindow, TIMER_TRAY_MENU);
    // A box may have opened since the click (a hotkey's switch can ask).
    if (ModalOpen()) {
        BringModalToFront();
        return;
    }
    POINT pointer;
    GetCursorPos(&pointer);
    HMENU menu = BuildPopupMenu(true);
    if (!menu)
        return;
    // The menu only closes on a click elsewhere when its owner is in the
    // foreground; a hidden owner of our own keeps the tool window out of it.
    HWND owner = CreateWindowExA(0, MENU_OWNER_CLASS, NULL, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL,
                                 Shell.instance, NULL);
    SetForegroundWindow(owner);
    SetFocus(owner);
    TrackPopupMenu(menu, 0, pointer.x, pointer.y, 0, owner, NULL);
    DestroyMenu(menu);
    // Queued behind the chosen command, if any, so the owner goes after it
    // has passed the command on; a menu closed without a choice leaves none.
    PostMessageA(owner, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK MenuOwnerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        SendMessageA(Shell.toolWindow, WM_COMMAND, wParam, lParam);
        DestroyWindow(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
