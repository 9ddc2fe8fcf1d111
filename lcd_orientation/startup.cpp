// Start-up of PIVOTER, up to its message loop.
#include "startup.h"
#include "lcd_helpers.h"
#include "main_window.h"
#include "messages.h"
#include "panel_switching.h"
#include "program_state.h"
#include "resource.h"
#include "tray_menu.h"
#include "vendor_identification.h"

static const int CAPTION_SIZE = 128;

struct WindowClassRow {
    const char* name;
    UINT style;
    int windowExtra;
    bool arrowCursor;
    WNDPROC procedure;
};

static const WindowClassRow WINDOW_CLASSES[] = {
    {MAIN_WINDOW_CLASS, 0, 0, false, MainWindowProc},
    {MENU_OWNER_CLASS, CS_HREDRAW | CS_VREDRAW, 4, true, MenuOwnerWindowProc},
};

void RegisterWindowClasses(HINSTANCE instance)
{
    for (unsigned i = 0; i < sizeof(WINDOW_CLASSES) / sizeof(WINDOW_CLASSES[0]); ++i) {
        const WindowClassRow& row = WINDOW_CLASSES[i];
        WNDCLASSA windowClass;
        ZeroMemory(&windowClass, sizeof(windowClass));
        windowClass.style = row.style;
        windowClass.lpfnWndProc = row.procedure;
        windowClass.cbWndExtra = row.windowExtra;
        windowClass.hInstance = instance;
        windowClass.hCursor = row.arrowCursor ? LoadCursorA(NULL, IDC_ARROW) : NULL;
        windowClass.hbrBackground = (HBRUSH)(INT_PTR)(COLOR_WINDOW + 1);
        windowClass.lpszClassName = row.name;
        RegisterClassA(&windowClass);
    }
}

HWND CreateMainWindow()
{
    return CreateWindowExA(0, MAIN_WINDOW_CLASS, NULL, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL,
                           Program.instance, NULL);
}

// Windows 95/98: the vendor's device, its switching information and the
// portrait driver loaded now; a failure is shown and ends the program.
static bool PassesDriverChecks()
{
    char caption[CAPTION_SIZE];
    if (LoadStringA(Program.instance, IDS_TITLE, caption, sizeof(caption)) <= 0)
        caption[0] = '\0';
    char driverKey[DRIVER_KEY_SIZE];
    if (!FindVendorDisplayDriver(driverKey, sizeof(driverKey))) {
        ShowError(NULL, MESSAGE_NO_VENDOR_DRIVER, caption);
        return false;
    }
    char standardDriver[DRIVER_FILE_SIZE];
    if (!CheckSwitchInfo(driverKey, standardDriver, sizeof(standardDriver))) {
        ShowError(NULL, MESSAGE_NO_SWITCH_INFO, caption);
        return false;
    }
    char portraitDriver[DRIVER_FILE_SIZE];
    if (LoadStringA(Program.instance, IDS_LCD_DRIVER, portraitDriver, sizeof(portraitDriver)) <= 0)
        portraitDriver[0] = '\0';
    if (!IsCurrentDisplayDriver(driverKey, portraitDriver)) {
        ShowError(NULL, MESSAGE_NOT_PORTRAIT_DRIVER, caption);
        return false;
    }
    return true;
}

// Whether the driver reports an LCD panel; says so when it does not.
static bool FindsPanel()
{
    HKEY settings = OpenPanelSettingsKey();
    QueryPanelState(&Switching.current);
    bool present = (Switching.current.caps & PANEL_LCD) != 0;
    if (!present)
        ShowError(NULL, MESSAGE_NO_PANEL, PROGRAM_TITLE);
    if (settings)
        RegCloseKey(settings);
    return present;
}

int RunPivoter(HINSTANCE instance)
{
    if (FindWindowA(MAIN_WINDOW_CLASS, NULL))
        return 0;  // only one instance runs
    Program.instance = instance;
    if (!IsWindowsNt() && !PassesDriverChecks())
        return 0;
    if (!FindsPanel())
        return 0;
    RegisterWindowClasses(instance);
    Program.mainWindow = CreateMainWindow();
    if (!Program.mainWindow)
        return 0;  // without its window nothing could ever end the program
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return (int)message.wParam;
}
