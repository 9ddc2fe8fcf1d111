// Start-up of the resolution changer, up to its message loop.
#include "startup.h"
#include "hotkey_window.h"
#include "display_seam.h"
#include "mode_tables.h"
#include "placement.h"
#include "resource.h"
#include "shell_state.h"
#include "texts.h"
#include "tool_window.h"
#include "tray.h"

#include <nrxchg32.h>

static const int EXIT_START_FAILED = 1;

static void RegisterOneClass(HINSTANCE instance, const char* name, WNDPROC procedure,
                          int windowExtra, HICON icon, int background)
{
    WNDCLASSA windowClass;
    ZeroMemory(&windowClass, sizeof(windowClass));
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = windowExtra;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(INT_PTR)(background + 1);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

void RegisterWindowClasses(HINSTANCE instance)
{
    HICON program = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM));
    HICON application = LoadIconA(NULL, IDI_APPLICATION);
    RegisterOneClass(instance, TOOL_WINDOW_CLASS, ToolWindowProc, 0, program, COLOR_BTNFACE);
    RegisterOneClass(instance, MENU_OWNER_CLASS, MenuOwnerWindowProc, 4, application, COLOR_WINDOW);
    RegisterOneClass(instance, HOTKEY_WINDOW_CLASS, HotkeyWindowProc, 4, application, COLOR_BTNFACE);
}

bool MakeHelpFilePath(const char* programPath, char* helpPath, int size)
{
    static const char extension[] = ".HLP";
    // The last '.' found by walking characters, never inside a double-byte one.
    int dot = -1;
    int length = 0;
    for (const char* p = programPath; *p; p = CharNextA(p)) {
        if (*p == '.')
            dot = (int)(p - programPath);
        length = (int)(CharNextA(p) - programPath);
    }
    int stem = dot >= 0 ? dot : length;
    if (stem + (int)sizeof(extension) > size)
        return false;
    CopyMemory(helpPath, programPath, stem);
    CopyMemory(helpPath + stem, extension, sizeof(extension));
    return true;
}

HWND CreateToolWindow(const StoredWindow& stored)
{
    char title[64];
    lstrcpynA(title, LoadText(IDS_TITLE), sizeof(title));
    DWORD style = WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    if (!stored.startHidden)
        style |= WS_VISIBLE;
    // Any four stored integers: created on the screen, at least a pixel in
    // size; creation then sizes the window to its toolbar.
    int width = stored.width < 1 ? 1 : stored.width;
    int height = stored.height < 1 ? 1 : stored.height;
    int left = stored.left;
    int top = stored.top;
    PullInsideScreen(&left, &top, width, height);
    if (width > display::ScreenWidth())
        width = display::ScreenWidth();
    if (height > display::ScreenHeight())
        height = display::ScreenHeight();
    return CreateWindowExA(WS_EX_PALETTEWINDOW, TOOL_WINDOW_CLASS, title, style, left, top, width,
                           height, NULL, NULL, Shell.instance, NULL);
}

// A tool window that starts minimised would sit where nobody sees it: a
// start command to minimise shows it at its place instead.
static int StartShowCommand(int showCommand)
{
    static const int minimising[] = {SW_SHOWMINIMIZED, SW_MINIMIZE, SW_SHOWMINNOACTIVE, SW_FORCEMINIMIZE};
    for (int command : minimising)
        if (showCommand == command)
            return SW_SHOWNORMAL;
    return showCommand;
}

void ShowToolWindow(HWND window, const StoredWindow& stored, int showCommand)
{
    if (stored.startHidden) {
        ShowWindow(window, SW_HIDE);
        Shell.toolWindowVisible = 0;
    } else {
        ShowWindow(window, StartShowCommand(showCommand));
        UpdateWindow(window);
        Shell.toolWindowVisible = 1;
    }
}

int RunProgram(HINSTANCE instance, int showCommand)
{
    Shell.instance = instance;
    RegisterWindowClasses(instance);
    if (GetSystemMetrics(SM_CLEANBOOT)) {
        ShowMessage(NULL, IDS_SAFE_MODE, MB_ICONHAND);
        return EXIT_START_FAILED;
    }
    HWND running = FindWindowA(TOOL_WINDOW_CLASS, NULL);
    if (running) {
        SetForegroundWindow(running);  // a hidden window stays hidden
        return EXIT_START_FAILED;
    }
    if (!BuildModeList())
        return EXIT_START_FAILED;
    char programPath[MAX_PATH];
    DWORD length = GetModuleFileNameA(instance, programPath, sizeof(programPath));
    if (length == 0 || length >= sizeof(programPath) ||
        !MakeHelpFilePath(programPath, Shell.helpFilePath, sizeof(Shell.helpFilePath)))
        Shell.helpFilePath[0] = '\0';
    Shell.quickChangeAvailable = CheckQuickRes();
    StoredWindow stored;
    LoadStoredSettings(&stored);
    HWND window = CreateToolWindow(stored);
    if (!window)
        return EXIT_START_FAILED;
    ShowToolWindow(window, stored, showCommand);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return (int)message.wParam;
}
