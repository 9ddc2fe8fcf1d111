// The standard display restore of PC/AT and of PC-98 machines.
#include "display_restore.h"

#include "standard_display.h"

static const DWORD SCAN_LIMIT = 100;     // buses, and instances per bus
static const DWORD SCAN_TEXT_SIZE = 255;

// HKLM\Enum\BIOS\<bus>\<instance>, read for its Class value
static const char BIOS_ENUM_KEY[] = "Enum\\BIOS";
// HKLM\Config\0001\Enum\BIOS\<bus>\<instance>
static const char BIOS_FLAGS_KEY[] = "Config\\0001\\Enum\\BIOS";
static const char DISPLAY_CLASS[] = "DISPLAY";

static char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c;
}

static bool SameTextIgnoringAsciiCase(const char* a, const char* b)
{
    for (; *a && AsciiUpper(*a) == AsciiUpper(*b); ++a, ++b)
        ;
    return *a == *b;
}

// True when the instance's Class reads as "DISPLAY" in any letter case. The
// value is read whatever its type, bounded and always terminated; one that
// does not fit the buffer is not a display.
static bool IsDisplayInstance(HKEY instance)
{
    char text[SCAN_TEXT_SIZE];
    DWORD type;
    DWORD size = sizeof(text) - 1;
    if (RegQueryValueExA(instance, "Class", NULL, &type, (BYTE*)text, &size) != ERROR_SUCCESS)
        return false;
    text[size] = '\0';
    return SameTextIgnoringAsciiCase(text, DISPLAY_CLASS);
}

// Clears the configuration-specific flags of one BIOS device in
// configuration 0001, which enables it there. Keys are created one level at a
// time, so no path of the two names is ever formed.
static void EnableBiosDevice(const char* busName, const char* instanceName)
{
    HKEY biosFlags, bus, instance;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, BIOS_FLAGS_KEY, &biosFlags) != ERROR_SUCCESS)
        return;
    if (RegCreateKeyA(biosFlags, busName, &bus) == ERROR_SUCCESS) {
        if (RegCreateKeyA(bus, instanceName, &instance) == ERROR_SUCCESS) {
            RegSetValueExA(instance, "CSConfigFlags", 0, REG_BINARY, DEVICE_ENABLED_FLAGS,
                           sizeof(DEVICE_ENABLED_FLAGS));
            RegCloseKey(instance);
        }
        RegCloseKey(bus);
    }
    RegCloseKey(biosFlags);
}

// The name of subkey `index`, or false at the end of the list. A name that
// does not fit the buffer is given as empty, and the caller passes over it.
static bool EnumerateSubkey(HKEY key, DWORD index, char name[SCAN_TEXT_SIZE])
{
    LONG result = RegEnumKeyA(key, index, name, SCAN_TEXT_SIZE);
    if (result == ERROR_MORE_DATA) {
        name[0] = '\0';
        return true;
    }
    return result == ERROR_SUCCESS;
}

// Enables every display instance of one bus; true when there was one.
static bool EnableBusDisplays(HKEY bus, const char* busName)
{
    bool found = false;
    char instanceName[SCAN_TEXT_SIZE];
    for (DWORD j = 0; j < SCAN_LIMIT && EnumerateSubkey(bus, j, instanceName); ++j) {
        HKEY instance;
        if (!instanceName[0] || RegOpenKeyA(bus, instanceName, &instance) != ERROR_SUCCESS)
            continue;
        if (IsDisplayInstance(instance)) {
            found = true;
            EnableBiosDevice(busName, instanceName);
        }
        RegCloseKey(instance);
    }
    return found;
}

// Enables every display the BIOS enumerator registered; true when there was one.
static bool EnableBiosDisplays()
{
    HKEY bios;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, BIOS_ENUM_KEY, &bios) != ERROR_SUCCESS)
        return false;
    bool found = false;
    char busName[SCAN_TEXT_SIZE];
    for (DWORD i = 0; i < SCAN_LIMIT && EnumerateSubkey(bios, i, busName); ++i) {
        HKEY bus;
        if (!busName[0] || RegOpenKeyA(bios, busName, &bus) != ERROR_SUCCESS)
            continue;
        if (EnableBusDisplays(bus, busName))
            found = true;
        RegCloseKey(bus);
    }
    RegCloseKey(bios);
    return found;
}

void RestoreVgaDisplayConfig()
{
    RegisterStandardDisplay(VgaDisplayProfile);
    WriteStoredDisplaySettings(VgaDisplayProfile);
    NameDisplayInSystemIni(VgaDisplayProfile);
}

void RestorePc98DisplayConfig()
{
    if (!EnableBiosDisplays())
        RegisterStandardDisplay(Pc98DisplayProfile);
    WriteStoredDisplaySettings(Pc98DisplayProfile);
    NameDisplayInSystemIni(Pc98DisplayProfile);
}
