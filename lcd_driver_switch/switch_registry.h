// What ROTSEL writes for the next start of Windows: the driver file the
// adapter loads, and on the way to the portrait driver the wanted orientation.
#ifndef ROTSEL_SWITCH_REGISTRY_H
#define ROTSEL_SWITCH_REGISTRY_H

#include <windows.h>

// "LCDStatus" 0x81 when `portrait`, then "Direction" "ON" or "OFF".
void StoreDirectionChoice(const char* driverKey, bool portrait);
// "LCDStatus" = 0x81 (LCD output, portrait) in the driver's "UTILITY" key.
void SetPortraitStatus(const char* driverKey);
// "drv" = `fileName` in the driver's "DEFAULT" key.
void SetDisplayDriverFile(const char* driverKey, const char* fileName);

#endif
