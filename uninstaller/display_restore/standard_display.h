// Registering a root-enumerated standard display adapter: the profile record
// of everything written, the search for a free instance name, and the steps
// shared by the VGA and the PC-98 restore.
#ifndef DISPLAY_RESTORE_STANDARD_DISPLAY_H
#define DISPLAY_RESTORE_STANDARD_DISPLAY_H

#include "log_config.h"

#include <windows.h>

struct ProfileValue {
    const char* name;
    const char* text;
};

// A key MODES\<depth>\<resolution> and the values that override DEFAULT there.
struct ProfileModeKey {
    const char* depth;
    const char* resolution;
    int valueCount;
    const ProfileValue* values;
};

struct StandardDisplayProfile {
    const char* description;   // DriverDesc, DeviceDesc and SYSTEM.INI's display.drv
    const char* deviceLoader;
    const char* infFile;
    const char* infSection;
    const char* version;
    int defaultCount;
    const ProfileValue* defaults;
    int modeKeyCount;
    const ProfileModeKey* modeKeys;
    const char* deviceClass;
    const char* hardwareId;
    const char* manufacturer;
    const ResourceList* resources;
    const char* bitsPerPixel;
    const char* resolution;
};

extern const StandardDisplayProfile VgaDisplayProfile;
extern const StandardDisplayProfile Pc98DisplayProfile;

// ConfigFlags and CSConfigFlags: no flag set, the device enabled.
extern const BYTE DEVICE_ENABLED_FLAGS[4];

// "0000" to "0099" and the terminator.
const int INSTANCE_NAME_SIZE = 5;

// The first of "0000" ... "0099" that is no subkey of `key`; false when all
// hundred are taken (no other name is ever formed).
bool FindFreeInstanceName(HKEY key, char name[INSTANCE_NAME_SIZE]);

// Writes the class entry, the root device with its logical configuration and
// its flags in configuration 0001. Nothing at all is written when either the
// class or the device instance names are all taken, so that no entry is left
// without the other and no existing one is overwritten, nor when the
// profile's display is registered already (its device and class entry).
void RegisterStandardDisplay(const StandardDisplayProfile& profile);

// The profile's colour depth and resolution in Config\0001\Display\Settings,
// only when that key exists.
void WriteStoredDisplaySettings(const StandardDisplayProfile& profile);

// The profile's description as display.drv of SYSTEM.INI's [boot.description].
void NameDisplayInSystemIni(const StandardDisplayProfile& profile);

#endif
