// The small always-on-top tool window: toolbar, commands and shutdown.
#include "tool_window.h"
#include "about.h"
#include "hotkey_window.h"
#include "menus.h"
#include "modal.h"
#include "mode_tables.h"
#include "placement.h"
#include "resource.h"
#include "settings_dialog.h"
#include "shell_state.h"
#include "stored_settings.h"
#include "switching.h"
#include "texts.h"
#include "tray.h"

#include <commctrl.h>

const char TOOL_WINDOW_CLASS[] = "NRXTOOLWND";

ShellState Shell = {NULL, NULL, 1, 0, NULL, {}, "", 0};

static const int TOOLBAR_HEIGHT = 28;
static const int BUTTON_IMAGE_SIZE = 18;
static const char DISPLAY_PROPERTIES_COMMAND[] = "rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,3";

static HWND CreateToolbar(HWND window)
{
    static const TBBUTTON buttons[] = {
        {0, IDM_CYCLE, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {1, IDM_DROPDOWN, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    };
    return CreateToolbarEx(window, WS_CHILD | WS_VISIBLE | CCS_NODIVIDER | TBSTYLE_TOOLTIPS,
                           IDC_TOOLBAR, 2, Shell.instance, IDB_TOOLBAR, buttons, 2, 0, 0,
                           BUTTON_IMAGE_SIZE, BUTTON_IMAGE_SIZE, sizeof(TBBUTTON));
}

void UpdateCycleButton()
{
    bool any = false;
    for (int i = 0; i < ResolutionTable.count && !any; ++i)
        any = ResolutionTable.slots[i].switchEnabled && ResolutionTable.slots[i].available;
    SendMessageA(Shell.toolbar, TB_SETSTATE, IDM_CYCLE, MAKELONG(any ? TBSTATE_ENABLED : 0, 0));
}

// Sizes the window to the two buttons and keeps it inside the screen, on
// every edge: a stored place may lie anywhere.
static void FitWindowToToolbar(HWND window)
{
    RECT button;
    SendMessageA(Shell.toolbar, TB_GETITEMRECT, 1, (LPARAM)&button);
    RECT bar;
    GetWindowRect(Shell.toolbar, &bar);
    MoveWindow(Shell.toolbar, 0, 0, bar.right - bar.left, TOOLBAR_HEIGHT, TRUE);
    int width = button.right + 2 * GetSystemMetrics(SM_CXFRAME);
    int height = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSMCAPTION) + TOOLBAR_HEIGHT;
    RECT r;
    GetWindowRect(window, &r);
    int left = r.left;
    int top = r.top;
    PullInsideScreen(&left, &top, width, height);
    MoveWindow(window, left, top, width, height, TRUE);
}

static LRESULT OnCreate(HWND window)
{
    Shell.toolWindow = window;  // message boxes raised from here need an owner
    AddTrayIcon(window);
    InitCommonControls();
    Shell.toolbar = CreateToolbar(window);
    if (!Shell.toolbar)
        return -1;
    if (!CreateHotkeyWindows(window))
        return -1;
    RefreshDisplayState(window);
    FitWindowToToolbar(window);
    UpdateCycleButton();
    return 0;
}

// Runs at WM_QUERYENDSESSION and again at WM_DESTROY; every step may repeat.
static void Shutdown(HWND window)
{
    WinHelpA(window, Shell.helpFilePath, HELP_QUIT, 0);
    DestroyHotkeyWindows();
    RemoveTrayIcon(window);
    StoreWindowPlacement(window, Shell.toolWindowVisible);
    PostQuitMessage(0);
}

static POINT PointerOffsetFromWindow(HWND window)
{
    POINT pointer;
    RECT r;
    GetCursorPos(&pointer);
    GetWindowRect(window, &r);
    pointer.x -= r.left;
    pointer.y -= r.top;
    return pointer;
}

static void RestorePointerOffset(HWND window, POINT offset)
{
    RECT r;
    GetWindowRect(window, &r);
    SetCursorPos(r.left + offset.x, r.top + offset.y);
}

static void OnCycleButton(HWND window)
{
    POINT offset = PointerOffsetFromWindow(window);
    if (CycleResolution(window))
        RestorePointerOffset(window, offset);
}

static void OnDropDownButton(HWND window)
{
    POINT offset = PointerOffsetFromWindow(window);
    int width = CurrentDisplay.width;
    int height = CurrentDisplay.height;
    RECT button;
    SendMessageA(Shell.toolbar, TB_GETITEMRECT, 1, (LPARAM)&button);
    POINT corner = {button.left, button.bottom};
    ClientToScreen(Shell.toolbar, &corner);
    HMENU menu = BuildPopupMenu(false);
    if (menu) {
        TrackPopupMenu(menu, 0, corner.x, corner.y, 0, window, NULL);
        DestroyMenu(menu);
    }
    if (CurrentDisplay.width != width || CurrentDisplay.height != height)
        RestorePointerOffset(window, offset);
}

static void OnSettings(HWND window)
{
    DestroyHotkeyWindows();
    RunSettingsDialog(window);
    CreateHotkeyWindows(window);
    UpdateCycleButton();
}

static void OnShowHide(HWND window)
{
    ShowWindow(window, Shell.toolWindowVisible ? SW_HIDE : SW_SHOWNORMAL);
    Shell.toolWindowVisible = !Shell.toolWindowVisible;
}

static void OnCommand(HWND window, int id)
{
    // Under an open dialog or box nothing starts, switches or ends: the
    // command can only come from outside it (a tray menu opened before it).
    if (ModalOpen())
        return;
    switch (id) {
    case IDM_SETTINGS:
        OnSettings(window);
        return;
    case IDM_ABOUT:
        ShowAboutBox(window);
        return;
    case IDM_HELP:
        WinHelpA(window, Shell.helpFilePath, HELP_FINDER, 0);
        return;
    case IDM_SHOW_HIDE:
        OnShowHide(window);
        return;
    case IDM_EXIT:
        DestroyWindow(window);
        return;
    case IDM_CYCLE:
        OnCycleButton(window);
        return;
    case IDM_DROPDOWN:
        OnDropDownButton(window);
        return;
    case IDM_DISPLAY_PROPERTIES:
        WinExec(DISPLAY_PROPERTIES_COMMAND, SW_SHOWNORMAL);
        return;
    }
    if (id >= IDM_MODE_FIRST && id < IDM_MODE_FIRST + ModeList.count)
        SelectModeFromMenu(id - IDM_MODE_FIRST);
}

static void OnNotify(const NMHDR* header)
{
    if (header->code != TTN_NEEDTEXTA)
        return;
    TOOLTIPTEXTA* tip = (TOOLTIPTEXTA*)header;
    if (header->idFrom == IDM_CYCLE)
        tip->lpszText = (LPSTR)LoadText(IDS_TIP_CYCLE);
    else if (header->idFrom == IDM_DROPDOWN)
        tip->lpszText = (LPSTR)LoadText(IDS_TIP_DROPDOWN);
}

LRESULT CALLBACK ToolWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // A registered message has no constant to switch on.
    if (IsTaskbarCreated(message)) {
        AddTrayIcon(window);
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_DESTROY:
        Shutdown(window);
        return 0;
    case WM_SIZE:
        if (Shell.toolbar)
            SendMessageA(Shell.toolbar, WM_SIZE, wParam, lParam);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_QUERYENDSESSION:
        Shutdown(window);
        return TRUE;
    case WM_NOTIFY:
        OnNotify((const NMHDR*)lParam);
        return 0;
    case WM_DISPLAYCHANGE:
        RefreshDisplayState(window);
        return 0;
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam));
        return 0;
    case WM_SYSCOMMAND:
        if (wParam != SC_CLOSE)
            break;
        ShowWindow(window, SW_HIDE);
        Shell.toolWindowVisible = 0;
        return 0;
    case WM_TIMER:
        if (wParam == TIMER_TRAY_MENU)
            ShowTrayMenu(window);
        return 0;
    case WM_HOTKEY:
        if (!ModalOpen())  // never a switch under an open dialog or box
            HotkeySwitch((int)wParam);
        break;
    case WM_TRAYICON:
        OnTrayIcon(window, wParam, lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
