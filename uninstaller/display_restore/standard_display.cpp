// Registers a standard display adapter from a profile, and the two steps
// that end every restore: the stored display settings and SYSTEM.INI.
#include "standard_display.h"

const BYTE DEVICE_ENABLED_FLAGS[4] = {0, 0, 0, 0};

static const int INSTANCE_NAME_COUNT = 100;  // "0000" to "0099"
static const DWORD PATH_SIZE = 260;
// The device's Driver value is written from a buffer of this size, whole.
static const DWORD DRIVER_REFERENCE_SIZE = 256;

// HKLM\System\CurrentControlSet\Services\Class\DISPLAY and its entries
static const char CLASS_ROOT[] = "System\\CurrentControlSet\\Services\\Class\\DISPLAY";
static const char CLASS_ENTRY_FORMAT[] = "System\\CurrentControlSet\\Services\\Class\\DISPLAY\\%s";
// A device's Driver value ("Display\0000") is below this key.
static const char CLASS_PARENT[] = "System\\CurrentControlSet\\Services\\Class\\";
static const char DRIVER_REFERENCE_FORMAT[] = "Display\\%s";
// HKLM\Enum\Root\Display and its devices
static const char DEVICE_ROOT[] = "Enum\\Root\\Display";
static const char DEVICE_FORMAT[] = "Enum\\Root\\Display\\%s";
// HKLM\Config\0001\Enum\Root\Display\<device>
static const char DEVICE_FLAGS_FORMAT[] = "Config\\0001\\Enum\\Root\\Display\\%s";
// HKLM\Config\0001\Display\Settings
static const char SETTINGS_KEY[] = "Config\\0001\\Display\\Settings";

static const char SYSTEM_INI[] = "SYSTEM.INI";  // a bare name: the Windows directory's
static const char BOOT_DESCRIPTION[] = "boot.description";
static const char DISPLAY_DRV[] = "display.drv";

// Created (or opened) subkey; NULL when that fails, which every helper
// below passes over.
static HKEY CreateKey(HKEY parent, const char* path)
{
    HKEY key;
    if (!parent || RegCreateKeyA(parent, path, &key) != ERROR_SUCCESS)
        return NULL;
    return key;
}

static void CloseKey(HKEY key)
{
    if (key)
        RegCloseKey(key);
}

static void SetBinary(HKEY key, const char* name, const void* data, DWORD size)
{
    if (key)
        RegSetValueExA(key, name, 0, REG_BINARY, (const BYTE*)data, size);
}

// A REG_SZ whose data size counts the terminator.
static void SetText(HKEY key, const char* name, const char* text)
{
    if (key)
        RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)text, lstrlenA(text) + 1);
}

static void SetTexts(HKEY key, const ProfileValue* values, int count)
{
    for (int i = 0; i < count; ++i)
        SetText(key, values[i].name, values[i].text);
}

bool FindFreeInstanceName(HKEY key, char name[INSTANCE_NAME_SIZE])
{
    // A name is taken when a subkey of that name opens (the system ignores
    // letter case); unlike a look at the first hundred enumerated subkeys,
    // this also sees a taken name among more than a hundred others.
    for (int n = 0; n < INSTANCE_NAME_COUNT; ++n) {
        wsprintfA(name, "%04d", n);
        HKEY existing;
        if (RegOpenKeyA(key, name, &existing) != ERROR_SUCCESS)
            return true;
        RegCloseKey(existing);
    }
    name[0] = '\0';
    return false;
}

// The free instance name under `rootPath`; "0000" when that key is missing
// (creating the entry creates it).
static bool ChooseInstanceName(const char* rootPath, char name[INSTANCE_NAME_SIZE])
{
    HKEY root;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, rootPath, &root) != ERROR_SUCCESS) {
        lstrcpynA(name, "0000", INSTANCE_NAME_SIZE);
        return true;
    }
    bool found = FindFreeInstanceName(root, name);
    RegCloseKey(root);
    return found;
}

// The display-class driver entry with its DEFAULT values and MODES keys.
static void WriteClassEntry(const StandardDisplayProfile& profile, const char* className)
{
    char path[PATH_SIZE];
    wsprintfA(path, CLASS_ENTRY_FORMAT, className);
    HKEY entry = CreateKey(HKEY_LOCAL_MACHINE, path);
    SetText(entry, "DevLoader", profile.deviceLoader);
    SetText(entry, "DriverDesc", profile.description);
    SetText(entry, "InfPath", profile.infFile);
    SetText(entry, "InfSection", profile.infSection);
    SetText(entry, "Ver", profile.version);

    HKEY defaults = CreateKey(entry, "DEFAULT");
    SetTexts(defaults, profile.defaults, profile.defaultCount);

    HKEY modes = CreateKey(entry, "MODES");
    for (int i = 0; i < profile.modeKeyCount; ++i) {
        const ProfileModeKey& mode = profile.modeKeys[i];
        HKEY depth = CreateKey(modes, mode.depth);
        HKEY resolution = CreateKey(depth, mode.resolution);
        SetTexts(resolution, mode.values, mode.valueCount);
        CloseKey(resolution);
        CloseKey(depth);
    }
    CloseKey(modes);
    CloseKey(defaults);
    CloseKey(entry);
}

// Both forms of the profile's logical configuration, written where the
// Configuration Manager reads them.
static void WriteLogConfValue(HKEY key, const char* name, LogConfForm form,
                              const ResourceList& resources)
{
    BYTE value[LOGCONF_VALUE_MAX];
    DWORD size = BuildLogConfValue(form, resources, value, sizeof(value));
    if (size > 0)
        SetBinary(key, name, value, size);
}

// The root-enumerated device, which refers to the class entry `className`.
static void WriteDevice(const StandardDisplayProfile& profile, const char* deviceName,
                        const char* className)
{
    char path[PATH_SIZE];
    wsprintfA(path, DEVICE_FORMAT, deviceName);
    char driver[DRIVER_REFERENCE_SIZE];
    ZeroMemory(driver, sizeof(driver));
    wsprintfA(driver, DRIVER_REFERENCE_FORMAT, className);

    HKEY device = CreateKey(HKEY_LOCAL_MACHINE, path);
    SetText(device, "Class", profile.deviceClass);
    SetBinary(device, "ConfigFlags", DEVICE_ENABLED_FLAGS, sizeof(DEVICE_ENABLED_FLAGS));
    SetText(device, "DeviceDesc", profile.description);
    if (device)
        RegSetValueExA(device, "Driver", 0, REG_SZ, (const BYTE*)driver, sizeof(driver));
    WriteLogConfValue(device, "ForcedConfig", LOGCONF_FORCED, *profile.resources);
    SetText(device, "HardwareID", profile.hardwareId);
    SetText(device, "Mfg", profile.manufacturer);
    HKEY logConfig = CreateKey(device, "LogConfig");
    WriteLogConfValue(logConfig, "0", LOGCONF_REQUIREMENT, *profile.resources);
    CloseKey(logConfig);
    CloseKey(device);
}

// A text value of an open key, read whatever its type, bounded and
// terminated; empty when it is missing or does not fit.
static void ReadText(HKEY key, const char* name, char* text, DWORD size)
{
    DWORD type, length = size - 1;
    if (RegQueryValueExA(key, name, NULL, &type, (BYTE*)text, &length) != ERROR_SUCCESS)
        length = 0;
    text[length] = '\0';
}

// A root display device as a restore registers one: its hardware id, the
// class entry it refers to ("Display\0000"), and whether that entry is
// there and describes the same display (no board's entry of that name).
struct RootDisplay {
    char hardwareId[PATH_SIZE];
    char driver[PATH_SIZE];
    bool classEntryMatches;
};
typedef bool (*RootDisplayTest)(const RootDisplay& display, const void* context);

// Whether the class entry `driver` refers to describes the display `description`.
static bool ClassEntryDescribes(const char* driver, const char* description)
{
    char classPath[PATH_SIZE], classDescription[PATH_SIZE];
    HKEY entry;
    if (!description[0] || lstrlenA(CLASS_PARENT) + lstrlenA(driver) >= (int)sizeof(classPath))
        return false;
    wsprintfA(classPath, "%s%s", CLASS_PARENT, driver);
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, classPath, &entry) != ERROR_SUCCESS)
        return false;
    ReadText(entry, "DriverDesc", classDescription, sizeof(classDescription));
    RegCloseKey(entry);
    return lstrcmpA(classDescription, description) == 0;
}

static void ReadRootDisplay(HKEY device, RootDisplay* display)
{
    char description[PATH_SIZE];
    ReadText(device, "HardwareID", display->hardwareId, sizeof(display->hardwareId));
    ReadText(device, "Driver", display->driver, sizeof(display->driver));
    ReadText(device, "DeviceDesc", description, sizeof(description));
    display->classEntryMatches = ClassEntryDescribes(display->driver, description);
}

// Whether one of the first hundred root display devices passes `test`.
static bool AnyRootDisplay(RootDisplayTest test, const void* context)
{
    HKEY devices;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, DEVICE_ROOT, &devices) != ERROR_SUCCESS)
        return false;
    bool found = false;
    char name[PATH_SIZE];
    for (DWORD i = 0; !found && i < (DWORD)INSTANCE_NAME_COUNT &&
                      RegEnumKeyA(devices, i, name, sizeof(name)) == ERROR_SUCCESS; ++i) {
        HKEY device;
        if (RegOpenKeyA(devices, name, &device) != ERROR_SUCCESS)
            continue;
        RootDisplay display;
        ReadRootDisplay(device, &display);
        RegCloseKey(device);
        found = display.classEntryMatches && test(display, context);
    }
    RegCloseKey(devices);
    return found;
}

static bool IsProfileDisplay(const RootDisplay& display, const void* context)
{
    return lstrcmpiA(display.hardwareId, ((const StandardDisplayProfile*)context)->hardwareId) == 0;
}

static bool RefersToClass(const RootDisplay& display, const void* context)
{
    return lstrcmpiA(display.driver, (const char*)context) == 0;
}

bool IsRootDisplayClass(const char* className)
{
    char driver[PATH_SIZE];
    if (lstrlenA(DRIVER_REFERENCE_FORMAT) + lstrlenA(className) >= (int)sizeof(driver))
        return false;
    wsprintfA(driver, DRIVER_REFERENCE_FORMAT, className);
    return AnyRootDisplay(RefersToClass, driver);
}

void RegisterStandardDisplay(const StandardDisplayProfile& profile)
{
    // Registered by an earlier run: a second adapter would claim the same ports.
    if (AnyRootDisplay(IsProfileDisplay, &profile))
        return;
    char className[INSTANCE_NAME_SIZE];
    char deviceName[INSTANCE_NAME_SIZE];
    if (!ChooseInstanceName(CLASS_ROOT, className) || !ChooseInstanceName(DEVICE_ROOT, deviceName))
        return;
    WriteClassEntry(profile, className);
    WriteDevice(profile, deviceName, className);

    char path[PATH_SIZE];
    wsprintfA(path, DEVICE_FLAGS_FORMAT, deviceName);
    HKEY flags = CreateKey(HKEY_LOCAL_MACHINE, path);
    SetBinary(flags, "CSConfigFlags", DEVICE_ENABLED_FLAGS, sizeof(DEVICE_ENABLED_FLAGS));
    CloseKey(flags);
}

void WriteStoredDisplaySettings(const StandardDisplayProfile& profile)
{
    HKEY settings;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, &settings) != ERROR_SUCCESS)
        return;  // opened only: a configuration without it is left so
    SetText(settings, "BitsPerPixel", profile.bitsPerPixel);
    SetText(settings, "Resolution", profile.resolution);
    RegCloseKey(settings);
}

void NameDisplayInSystemIni(const StandardDisplayProfile& profile)
{
    WritePrivateProfileStringA(BOOT_DESCRIPTION, DISPLAY_DRV, profile.description, SYSTEM_INI);
}
