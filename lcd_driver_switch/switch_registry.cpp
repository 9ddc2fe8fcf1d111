// ROTSEL's registry writes. A write that fails is passed over: the restart
// follows in any case. Keys are only opened, never created.
#include "switch_registry.h"
#include "direction.h"
#include "lcd_escape.h"
#include "vendor_identification.h"

// Paths of the driver's class subkeys fit in 128 bytes, as the identification builds them.
static const int CLASS_PATH_SIZE = 128;

// Value `name` in the driver's class subkey, opened with KEY_ALL_ACCESS.
static void SetDriverValue(const char* driverKey, const char* subkey, const char* name, DWORD type,
                           const void* data, DWORD size)
{
    char path[CLASS_PATH_SIZE];
    HKEY key;
    if (!DriverClassPath(path, sizeof(path), driverKey, subkey) ||
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, type, (const BYTE*)data, size);
    RegCloseKey(key);
}

void StoreDirectionChoice(const char* driverKey, bool portrait)
{
    if (portrait)
        SetPortraitStatus(driverKey);
    WriteDirection(portrait);
}

void SetPortraitStatus(const char* driverKey)
{
    const DWORD status = PANEL_LCD | PANEL_PORTRAIT;
    // HKEY_LOCAL_MACHINE "System\CurrentControlSet\Services\Class\<driver key>\UTILITY" "LCDStatus"
    SetDriverValue(driverKey, "UTILITY", "LCDStatus", REG_DWORD, &status, sizeof(status));
}

void SetDisplayDriverFile(const char* driverKey, const char* fileName)
{
    // HKEY_LOCAL_MACHINE "System\CurrentControlSet\Services\Class\<driver key>\DEFAULT" "drv"
    SetDriverValue(driverKey, "DEFAULT", "drv", REG_SZ, fileName, lstrlenA(fileName) + 1);
}
