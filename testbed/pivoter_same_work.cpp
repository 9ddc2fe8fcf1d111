// The start-up benchmark's same-work baseline for PIVOTER's testbed build:
// the system work it must do before its tray icon shows, in its order, and
// none of its own logic (no checks of what it reads):
//   the single-instance check; the platform (GetVersionExA); its title;
//   the vendor identification's reads (device and driver key, switching
//   information, the portrait driver's name from the string table, the
//   loaded driver); the platform again and the panel's settings key; the
//   LCD state query through the testbed build's display seam (the simulated
//   panel); that key closed; its two window classes; the hidden main window,
//   whose WM_CREATE registers "TaskbarCreated" and adds the tray icon
//   (cbSize 88).
#include <windows.h>
#include <shellapi.h>

#include "lcd_display.h"
#include "lcd_escape.h"
#include "resource.h"
#include "vendor_reads.h"

static const char MAIN_CLASS[] = "PivoterSameWork";
static const UINT TRAY_ID = 106;
static const UINT TRAY_MESSAGE = 0x0800;

static HINSTANCE Instance;

static void TrayIcon(HWND window, DWORD message)
{
    NOTIFYICONDATAA data;
    ZeroMemory(&data, sizeof(data));
    data.cbSize = 88;  // the classic size the programs pass
    data.hWnd = window;
    data.uID = TRAY_ID;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = TRAY_MESSAGE;
    data.hIcon = LoadIconA(Instance, MAKEINTRESOURCEA(IDI_PROGRAM));
    lstrcpynA(data.szTip, "same work", 64);
    Shell_NotifyIconA(message, &data);
}

static LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        RegisterWindowMessageA("TaskbarCreated");
        TrayIcon(window, NIM_ADD);
        break;
    case WM_DESTROY:
        TrayIcon(window, NIM_DELETE);
        PostQuitMessage(0);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static void AskPlatform()
{
    OSVERSIONINFOA version;
    ZeroMemory(&version, sizeof(version));
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExA(&version);
}

static void RegisterOne(const char* name, UINT style, int windowExtra, HCURSOR cursor, WNDPROC procedure)
{
    WNDCLASSA windowClass;
    ZeroMemory(&windowClass, sizeof(windowClass));
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = windowExtra;
    windowClass.hInstance = Instance;
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = (HBRUSH)(INT_PTR)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    Instance = instance;
    FindWindowA(MAIN_CLASS, NULL);
    AskPlatform();
    char text[128], driverKey[64];
    LoadStringA(instance, IDS_TITLE, text, sizeof(text));
    vendor_reads::DeviceDriver(driverKey);
    vendor_reads::SwitchInfo(driverKey);
    LoadStringA(instance, IDS_LCD_DRIVER, text, 16);
    vendor_reads::LoadedDriver(driverKey);
    AskPlatform();
    HKEY settings = vendor_reads::PanelSettings();
    LcdStateReply reply;
    ZeroMemory(&reply, sizeof(reply));
    DWORD query = LCD_QUERY_STATE;
    lcd_display::Escape(LCD_CONTROL_ESCAPE, sizeof(query), &query, sizeof(reply), &reply);
    if (settings)
        RegCloseKey(settings);
    RegisterOne(MAIN_CLASS, 0, 0, NULL, MainProc);
    // The menu owner's class: no window of it before the user clicks.
    RegisterOne("PivoterSameWorkMenu", CS_HREDRAW | CS_VREDRAW, 4, LoadCursorA(NULL, IDC_ARROW), DefWindowProcA);
    CreateWindowExA(0, MAIN_CLASS, NULL, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, NULL, NULL, instance, NULL);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return (int)message.wParam;
}
