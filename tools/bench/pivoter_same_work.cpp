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
#include "same_work.h"
#include "vendor_reads.h"

static const char MAIN_CLASS[] = "PivoterSameWork";
static const UINT TRAY_ID = 106;
static const UINT TRAY_MESSAGE = 0x0800;

static LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        RegisterWindowMessageA("TaskbarCreated");
        same_work::TrayIcon(NIM_ADD, window, TRAY_ID, TRAY_MESSAGE, IDI_PROGRAM);
        break;
    case WM_DESTROY:
        same_work::TrayIcon(NIM_DELETE, window, TRAY_ID, TRAY_MESSAGE, IDI_PROGRAM);
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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
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
    same_work::RegisterWindowClass(MAIN_CLASS, MainProc, 0, 0, NULL, NULL, COLOR_WINDOW);
    // The menu owner's class: no window of it before the user clicks.
    same_work::RegisterWindowClass("PivoterSameWorkMenu", DefWindowProcA, CS_HREDRAW | CS_VREDRAW, 4, NULL,
                                   LoadCursorA(NULL, IDC_ARROW), COLOR_WINDOW);
    CreateWindowExA(0, MAIN_CLASS, NULL, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, NULL, NULL, instance, NULL);
    return same_work::RunMessageLoop();
}
