// The wanted orientation both LCD programs keep in "Direction".
#include "direction.h"
#include "lcd_helpers.h"

#include <windows.h>

static const char DIRECTION_KEY[] = "Software\\NORIX\\NRXLCD\\Direction";
// Room for "ON" and whatever else a user may have left there, up to 7 characters.
static const LONG DIRECTION_SIZE = 8;

void WriteDirection(bool portrait)
{
    const char* direction = portrait ? "ON" : "OFF";
    // HKEY_CURRENT_USER "Software\NORIX\NRXLCD\Direction" (default value)
    RegSetValueA(HKEY_CURRENT_USER, DIRECTION_KEY, REG_SZ, direction, lstrlenA(direction));
}

bool IsPortraitWanted()
{
    char direction[DIRECTION_SIZE];
    LONG length = sizeof(direction);
    // HKEY_CURRENT_USER "Software\NORIX\NRXLCD\Direction" (default value)
    return RegQueryValueA(HKEY_CURRENT_USER, DIRECTION_KEY, direction, &length) == ERROR_SUCCESS &&
           TerminateRegistryText(direction, length, sizeof(direction)) &&
           SameIgnoringAsciiCase(direction, "ON");
}
