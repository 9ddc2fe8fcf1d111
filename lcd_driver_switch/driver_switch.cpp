// The one run of ROTSEL, between the standard driver and the portrait driver.
#include "driver_switch.h"
#include "resource.h"
#include "restart_now.h"
#include "switch_dialogs.h"
#include "switch_registry.h"
#include "switcher_state.h"

SwitcherState Switcher;

static const int CAPTION_SIZE = 128;

// A failed check, with the program title as caption.
static void ShowFailure(HWND owner, const char* text)
{
    char caption[CAPTION_SIZE];
    if (LoadStringA(Switcher.instance, IDS_TITLE, caption, sizeof(caption)) <= 0)
        caption[0] = '\0';
    MessageBoxA(owner, text, caption, MB_ICONERROR);
}

// Dialog 102, and on 再起動(&R) back to the standard driver.
static void OfferStandardDriver(HWND owner)
{
    if (ShowSwitchDialog(owner, IDD_TO_STANDARD_DRIVER) != IDOK)
        return;
    SetDisplayDriverFile(Switcher.driverKey, Switcher.standardDriver);
    RestartWindowsNow();
}

// Dialog 101, and on 再起動(&R) to the portrait driver with the chosen orientation.
static void OfferPortraitDriver(HWND owner)
{
    if (ShowSwitchDialog(owner, IDD_TO_PORTRAIT_DRIVER) != IDOK)
        return;
    StoreDirectionChoice(Switcher.driverKey, Switcher.portraitChosen);
    SetDisplayDriverFile(Switcher.driverKey, Switcher.portraitDriver);
    RestartWindowsNow();
}

void SwitchDisplayDriver(HWND mainWindow)
{
    if (!FindVendorDisplayDriver(Switcher.driverKey, sizeof(Switcher.driverKey))) {
        ShowFailure(mainWindow, MESSAGE_NO_VENDOR_DRIVER);
        return;
    }
    if (!CheckSwitchInfo(Switcher.driverKey, Switcher.standardDriver,
                         sizeof(Switcher.standardDriver))) {
        ShowFailure(mainWindow, MESSAGE_NO_SWITCH_INFO);
        return;
    }
    if (LoadStringA(Switcher.instance, IDS_LCD_DRIVER, Switcher.portraitDriver,
                    sizeof(Switcher.portraitDriver)) <= 0)
        Switcher.portraitDriver[0] = '\0';
    // The writes' results are not looked at: the restart follows in any case.
    if (IsCurrentDisplayDriver(Switcher.driverKey, Switcher.portraitDriver))
        OfferStandardDriver(mainWindow);
    else
        OfferPortraitDriver(mainWindow);
}
