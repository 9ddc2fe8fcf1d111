// Start-up of ROTSEL: one instance, one hidden window that does the work
// while it is created and is destroyed right after.
#include "startup.h"
#include "driver_switch.h"
#include "switcher_state.h"

const char MAIN_WINDOW_CLASS[] = "RotselMainClass";

// Whether the main window got as far as its WM_CREATE, whose end posts the quit.
static bool mainWindowCreated;

static void OnCreate(HWND window)
{
    mainWindowCreated = true;
    SwitchDisplayDriver(window);
    DestroyWindow(window);
}

static LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static void RegisterMainClass(HINSTANCE instance)
{
    WNDCLASSA windowClass;
    ZeroMemory(&windowClass, sizeof(windowClass));
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = (HBRUSH)(INT_PTR)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = MAIN_WINDOW_CLASS;
    RegisterClassA(&windowClass);
}

int RunRotsel(HINSTANCE instance)
{
    if (FindWindowA(MAIN_WINDOW_CLASS, NULL))
        return 0;  // only one instance runs
    Switcher.instance = instance;
    RegisterMainClass(instance);
    mainWindowCreated = false;
    // Never shown; it is already destroyed when the call returns.
    CreateWindowExA(0, MAIN_WINDOW_CLASS, NULL, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, instance, NULL);
    if (!mainWindowCreated)
        return 0;  // no window: nothing would ever post the quit
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return (int)message.wParam;
}
