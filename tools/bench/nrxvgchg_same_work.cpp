// The start-up benchmark's same-work baseline for NRXVGCHG: the system work
// the resolution changer must do before its tool window shows, in its order,
// and none of its own logic (no sorting, no slot table, no hotkeys):
//   its icon and three window classes; the safe-mode and single-instance
//   checks; EnumDisplaySettingsA until 20 modes of an accepted depth;
//   its module path; CheckQuickRes of NRXCHG32.DLL, bound at load time;
//   HKCU\Software\NORIX\Resolva opened (created when missing), the place,
//   the start state and one "Res<w>x<h>" value per size listed; the title
//   and the tool window; in its WM_CREATE the tray icon (cbSize 88),
//   COMCTL32's two-button toolbar, the screen's depth, the window fitted
//   to the toolbar; then shown.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <nrxchg32.h>

#include "resource.h"
#include "same_work.h"

static const char TOOL_CLASS[] = "NrxvgchgSameWork";
static const int WANTED_MODES = 20;
static const UINT TRAY_ID = 11;
static const UINT TRAY_MESSAGE = WM_USER + 0x400;

static HINSTANCE Instance;
static HWND Toolbar;

static bool AcceptedDepth(DWORD bits)
{
    static const DWORD accepted[] = {1, 4, 8, 15, 16, 24, 32};
    for (DWORD depth : accepted)
        if (bits == depth)
            return true;
    return false;
}

// The sizes met among the accepted modes, each once, for the value names.
struct Sizes {
    int count;
    DWORD width[WANTED_MODES], height[WANTED_MODES];
};

static void AskModes(Sizes* sizes)
{
    sizes->count = 0;
    DEVMODEA mode;
    for (DWORD n = 0, accepted = 0; accepted < (DWORD)WANTED_MODES; ++n) {
        ZeroMemory(&mode, sizeof(mode));
        mode.dmSize = sizeof(mode);
        if (!EnumDisplaySettingsA(NULL, n, &mode))
            break;
        if (!AcceptedDepth(mode.dmBitsPerPel))
            continue;
        ++accepted;
        int s = 0;
        while (s < sizes->count && (sizes->width[s] != mode.dmPelsWidth || sizes->height[s] != mode.dmPelsHeight))
            ++s;
        if (s == sizes->count) {
            sizes->width[s] = mode.dmPelsWidth;
            sizes->height[s] = mode.dmPelsHeight;
            ++sizes->count;
        }
    }
}

static void ReadSettings(const Sizes& sizes)
{
    static const char key[] = "Software\\NORIX\\Resolva";
    HKEY settings;
    DWORD disposition;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_ALL_ACCESS, &settings) != ERROR_SUCCESS &&
        RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL,
                        &settings, &disposition) != ERROR_SUCCESS)
        return;
    BYTE data[68];
    DWORD type, size = sizeof(data);
    RegQueryValueExA(settings, "DefaultPosition", NULL, &type, data, &size);
    size = sizeof(data);
    RegQueryValueExA(settings, "DefaultIconic", NULL, &type, data, &size);
    for (int s = 0; s < sizes.count; ++s) {
        char name[32];
        wsprintfA(name, "Res%dx%d", (int)sizes.width[s], (int)sizes.height[s]);
        size = sizeof(data) - 1;
        RegQueryValueExA(settings, name, NULL, &type, data, &size);
    }
    RegCloseKey(settings);
}

// What the program's WM_CREATE asks of the system, its own state left out.
static void OnCreate(HWND window)
{
    RegisterWindowMessageA("TaskbarCreated");
    same_work::TrayIcon(NIM_ADD, window, TRAY_ID, TRAY_MESSAGE, IDI_PROGRAM);
    InitCommonControls();
    static const TBBUTTON buttons[] = {
        {0, IDM_CYCLE, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {1, IDM_DROPDOWN, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    };
    Toolbar = CreateToolbarEx(window, WS_CHILD | WS_VISIBLE | CCS_NODIVIDER | TBSTYLE_TOOLTIPS, IDC_TOOLBAR, 2,
                              Instance, IDB_TOOLBAR, buttons, 2, 0, 0, 18, 18, sizeof(TBBUTTON));
    GetSystemMetrics(SM_CXSCREEN);
    GetSystemMetrics(SM_CYSCREEN);
    HDC dc = GetDC(window);
    GetDeviceCaps(dc, PLANES);
    GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(window, dc);
    WINDOWPLACEMENT placement;
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    RECT button, bar, r;
    SendMessageA(Toolbar, TB_GETITEMRECT, 1, (LPARAM)&button);
    GetWindowRect(Toolbar, &bar);
    MoveWindow(Toolbar, 0, 0, bar.right - bar.left, 28, TRUE);
    int width = button.right + 2 * GetSystemMetrics(SM_CXFRAME);
    int height = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSMCAPTION) + 28;
    GetWindowRect(window, &r);
    MoveWindow(window, GetSystemMetrics(SM_CXSCREEN) - width, 0, width, height, TRUE);
    SendMessageA(Toolbar, TB_SETSTATE, IDM_CYCLE, MAKELONG(TBSTATE_ENABLED, 0));
}

static LRESULT CALLBACK ToolProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_SIZE:
        if (Toolbar)
            SendMessageA(Toolbar, WM_SIZE, wParam, lParam);
        return 0;
    case WM_DESTROY:
        same_work::TrayIcon(NIM_DELETE, window, TRAY_ID, TRAY_MESSAGE, IDI_PROGRAM);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    Instance = instance;
    HICON program = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM));
    HICON application = LoadIconA(NULL, IDI_APPLICATION);
    const UINT redraw = CS_HREDRAW | CS_VREDRAW;
    // The cursor asked for once per class, as the program asks it.
    HCURSOR arrow = LoadCursorA(NULL, IDC_ARROW);
    same_work::RegisterWindowClass(TOOL_CLASS, ToolProc, redraw, 0, program, arrow, COLOR_BTNFACE);
    // The menu owner's and the hotkeys' classes: no window of them before the user acts.
    arrow = LoadCursorA(NULL, IDC_ARROW);
    same_work::RegisterWindowClass("NrxvgchgSameWorkMenu", DefWindowProcA, redraw, 4, application, arrow, COLOR_WINDOW);
    arrow = LoadCursorA(NULL, IDC_ARROW);
    same_work::RegisterWindowClass("NrxvgchgSameWorkHotkey", DefWindowProcA, redraw, 4, application, arrow,
                                   COLOR_BTNFACE);
    GetSystemMetrics(SM_CLEANBOOT);
    FindWindowA(TOOL_CLASS, NULL);
    Sizes sizes;
    AskModes(&sizes);
    char path[MAX_PATH];
    GetModuleFileNameA(instance, path, sizeof(path));
    CheckQuickRes();
    ReadSettings(sizes);
    char title[64];
    LoadStringA(instance, IDS_TITLE, title, sizeof(title));
    HWND window = CreateWindowExA(WS_EX_PALETTEWINDOW, TOOL_CLASS, title,
                                  WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE,
                                  GetSystemMetrics(SM_CXSCREEN) - 1, 0, 1, 1, NULL, NULL, instance, NULL);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return same_work::RunMessageLoop();
}
