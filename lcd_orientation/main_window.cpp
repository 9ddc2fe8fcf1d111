// The hidden main window: the notification icon, its clicks, the commands
// and the clean-up at the end.
#include "main_window.h"
#include "about.h"
#include "lcd_display.h"
#include "messages.h"
#include "panel_switching.h"
#include "program_state.h"
#include "resource.h"
#include "tray_menu.h"

#include <shellapi.h>

const char MAIN_WINDOW_CLASS[] = "PivoterMainClass";

ProgramState Program = {NULL, NULL};

// The classic NOTIFYICONDATA size that every shell since Windows 95 accepts.
static const DWORD NOTIFYICONDATA_CLASSIC_SIZE = 88;
static const int TIP_SIZE = 64;

static void FillIconData(NOTIFYICONDATAA* data, HWND window)
{
    ZeroMemory(data, sizeof(*data));
    data->cbSize = NOTIFYICONDATA_CLASSIC_SIZE;
    data->hWnd = window;
    data->uID = TRAY_ICON_ID;
}

// The message a shell broadcasts when its taskbar has been created anew
// (after it restarted): the icons it showed are gone and must be added again.
static UINT TaskbarCreatedMessage = 0;

static void AddTrayIcon(HWND window)
{
    NOTIFYICONDATAA data;
    FillIconData(&data, window);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAYICON;
    data.hIcon = LoadIconA(Program.instance, MAKEINTRESOURCEA(IDI_PROGRAM));
    lstrcpynA(data.szTip, PROGRAM_TITLE, TIP_SIZE);
    Shell_NotifyIconA(NIM_ADD, &data);
}

static void OnCreate(HWND window)
{
    TaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    AddTrayIcon(window);
}

// WM_DESTROY, and WM_QUERYENDSESSION when Windows logs off or shuts down.
static void OnEnd(HWND window)
{
    ReleasePanelSettingsKey();
    NOTIFYICONDATAA data;
    FillIconData(&data, window);
    Shell_NotifyIconA(NIM_DELETE, &data);
    PostQuitMessage(0);
}

static void OnCommand(HWND window, WPARAM command)
{
    switch (command) {
    case IDM_ABOUT:
        ShowAboutBox(window);
        break;
    case IDM_EXIT:
        DestroyWindow(window);
        break;
    }
}

static void OnTimer(HWND window, WPARAM timer)
{
    if (timer != TIMER_TRAY_MENU)
        return;
    KillTimer(window, TIMER_TRAY_MENU);
    ShowTrayMenu();
}

void ToggleKeepingPointer(HWND window)
{
    // A right click just before opens no menu.
    KillTimer(window, TIMER_TRAY_MENU);
    POINT pointer;
    lcd_display::GetPointer(&pointer);
    int width, height;
    lcd_display::ScreenSize(&width, &height);
    // Past the middle, the pointer is kept as a negative distance from the
    // right or bottom edge, where the notification area stays.
    if (pointer.x > width / 2)
        pointer.x -= width;
    if (pointer.y > height / 2)
        pointer.y -= height;
    TogglePanelOrientation(window);
    lcd_display::ScreenSize(&width, &height);
    if (pointer.x < 0)
        pointer.x += width;
    if (pointer.y < 0)
        pointer.y += height;
    lcd_display::SetPointer(pointer.x, pointer.y);
}

static void OnTrayIcon(HWND window, LPARAM mouseMessage)
{
    switch (mouseMessage) {
    case WM_LBUTTONUP:
        ToggleKeepingPointer(window);
        break;
    case WM_RBUTTONUP:
        SetTimer(window, TIMER_TRAY_MENU, TRAY_MENU_DELAY, NULL);
        break;
    }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        break;
    case WM_DESTROY:
    case WM_QUERYENDSESSION:
        OnEnd(window);
        break;
    case WM_COMMAND:
        OnCommand(window, wParam);
        break;
    case WM_TIMER:
        OnTimer(window, wParam);
        break;
    case WM_TRAYICON:
        OnTrayIcon(window, lParam);
        break;
    default:
        // A registered message has no constant to switch on.
        if (TaskbarCreatedMessage != 0 && message == TaskbarCreatedMessage)
            AddTrayIcon(window);
        break;
    }
    // Every message, handled or not, also gets the default processing; for
    // WM_QUERYENDSESSION that agrees to end the session.
    return DefWindowProcA(window, message, wParam, lParam);
}
