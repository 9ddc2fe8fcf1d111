// Finds, in the registry Windows 95/98 keeps, the vendor's display device,
// its driver key, the driver-switching information beside it, the driver
// Windows loads, and the key where the panel's wanted state is stored.
// Every routine only reads; the settings key is opened for writing and
// handed to the caller, who closes it.
#ifndef LCD_COMMON_VENDOR_IDENTIFICATION_H
#define LCD_COMMON_VENDOR_IDENTIFICATION_H

#include <windows.h>

// What the programs show when routine 1 or routine 3 fails.
extern const char MESSAGE_NO_VENDOR_DRIVER[];
extern const char MESSAGE_NO_SWITCH_INFO[];

// Sizes the callers pass.
const DWORD DRIVER_KEY_SIZE = 64;
const DWORD DRIVER_FILE_SIZE = 16;

// "System\CurrentControlSet\Services\Class\" + driverKey + "\" + subkey
// ("DEFAULT", "UTILITY") in `path` of `size` bytes; false when it does not fit.
bool DriverClassPath(char* path, int size, const char* driverKey, const char* subkey);

// 1. The driver key of the first vendor display device that the
// Configuration Manager has configured, on any bus.
bool FindVendorDisplayDriver(char* driverKey, DWORD size);
// 2. The driver key of the device at "Enum\" + hardwareKey when it is a
// display device of the vendor.
bool CheckVendorDisplayDevice(const char* hardwareKey, char* driverKey, DWORD size);
// 3. The standard driver's file name (upper case) when the installed driver
// supports switching to the portrait driver.
bool CheckSwitchInfo(const char* driverKey, char* driverName, DWORD size);
// 4. Whether the adapter's driver ("drv") is `fileName`.
bool IsCurrentDisplayDriver(const char* driverKey, const char* fileName);
// 5. The key the panel's state is stored in, open for query and set-value;
// NULL when there is none.
HKEY OpenPanelSettingsKey();

#endif
