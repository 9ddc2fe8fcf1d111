// Finds the vendor's display device, driver and panel settings key.
#include "vendor_identification.h"
#include "lcd_helpers.h"

const char MESSAGE_NO_VENDOR_DRIVER[] = "ﾉﾘｯｸｽ製ﾄﾞﾗｲﾊﾞが動作していません。";
const char MESSAGE_NO_SWITCH_INFO[] =
    "LCDﾄﾞﾗｲﾊﾞの切り替え情報が不足しているか\n切り替えをｻﾎﾟｰﾄしていません。";

// The manufacturer names of the vendor's driver setup, half- and full-width.
static const char* const VENDOR_NAMES[] = {"ﾉﾘｯｸｽ", "ノリックス"};

static const char CONFIG_MANAGER_ENUM[] = "Config Manager\\Enum";
static const char CLASS_ROOT[] = "System\\CurrentControlSet\\Services\\Class\\";
static const char DRIVER_NAME_KEY[] = "Software\\NORIX\\NRXLCD\\DriverName";
static const char VIDEO_DEVICE_MAP[] = "HARDWARE\\DEVICEMAP\\VIDEO";
static const char NT_SERVICES[] = "System\\CurrentControlSet\\Services\\";

// Fixed path buffers: routines 1 to 4 assemble paths in 128 bytes, routine 5 in 256.
static const int SHORT_PATH = 128;
static const int LONG_PATH = 256;
static const int KERNEL_PATH_BACKSLASHES = 6;

static bool IsVendorName(const char* manufacturer)
{
    for (unsigned i = 0; i < sizeof(VENDOR_NAMES) / sizeof(VENDOR_NAMES[0]); ++i)
        if (SameBytes(manufacturer, VENDOR_NAMES[i]))
            return true;
    return false;
}

enum EnumResult { ENUM_NAME, ENUM_SKIP, ENUM_END };

// Subkey `index` of `key`. A name longer than the buffer is skipped rather
// than ending the walk: it could only be truncated into another name.
static EnumResult EnumSubkey(HKEY key, DWORD index, char* name, DWORD size)
{
    LONG result = RegEnumKeyA(key, index, name, size);
    if (result == ERROR_SUCCESS)
        return ENUM_NAME;
    return result == ERROR_MORE_DATA ? ENUM_SKIP : ENUM_END;
}

// Text value `name` of the key `root` `path`, opened and closed here.
static bool ReadKeyText(HKEY root, const char* path, const char* name, char* buffer, DWORD size)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    bool read = ReadRegistryText(key, name, buffer, size);
    RegCloseKey(key);
    return read;
}

// Walks the nodes the Configuration Manager has configured, in its order,
// until `accept` takes one's "HardWareKey"; names, paths and values in
// `limit` bytes. Whether one was taken.
typedef bool (*NodeVisitor)(const char* hardwareKey, void* context);

static bool WalkConfiguredNodes(int limit, NodeVisitor accept, void* context)
{
    HKEY nodes;
    if (RegOpenKeyExA(HKEY_DYN_DATA, CONFIG_MANAGER_ENUM, 0, KEY_READ, &nodes) != ERROR_SUCCESS)
        return false;
    bool accepted = false;
    char node[LONG_PATH];
    for (DWORD index = 0; !accepted; ++index) {
        EnumResult next = EnumSubkey(nodes, index, node, limit);
        if (next == ENUM_END)
            break;
        char path[LONG_PATH];
        char hardwareKey[LONG_PATH];
        // HKEY_DYN_DATA "Config Manager\Enum\<node>" "HardWareKey"
        accepted = next == ENUM_NAME && JoinPath(path, limit, CONFIG_MANAGER_ENUM, "\\", node) &&
                   ReadKeyText(HKEY_DYN_DATA, path, "HardWareKey", hardwareKey, limit) &&
                   accept(hardwareKey, context);
    }
    RegCloseKey(nodes);
    return accepted;
}

struct DriverKeyBuffer {
    char* text;
    DWORD size;
};

static bool IsVendorDisplayNode(const char* hardwareKey, void* context)
{
    DriverKeyBuffer* driverKey = (DriverKeyBuffer*)context;
    return CheckVendorDisplayDevice(hardwareKey, driverKey->text, driverKey->size);
}

bool DriverClassPath(char* path, int size, const char* driverKey, const char* subkey)
{
    return JoinPath(path, size, CLASS_ROOT, driverKey, "\\", subkey);
}

bool FindVendorDisplayDriver(char* driverKey, DWORD size)
{
    DriverKeyBuffer buffer = {driverKey, size};
    return WalkConfiguredNodes(SHORT_PATH, IsVendorDisplayNode, &buffer);
}

bool CheckVendorDisplayDevice(const char* hardwareKey, char* driverKey, DWORD size)
{
    char path[SHORT_PATH];
    HKEY device;
    // HKEY_LOCAL_MACHINE "Enum\<hardware key>" "Class", "Mfg", "Driver"
    if (!JoinPath(path, sizeof(path), "Enum\\", hardwareKey) ||
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &device) != ERROR_SUCCESS)
        return false;
    char text[SHORT_PATH];
    // An empty driver key would name the class root's own subkeys.
    bool vendors = ReadRegistryText(device, "Class", text, sizeof(text)) &&
                   SameIgnoringAsciiCase(text, "DISPLAY") &&
                   ReadRegistryText(device, "Mfg", text, sizeof(text)) && IsVendorName(text) &&
                   ReadRegistryText(device, "Driver", driverKey, size) && driverKey[0];
    RegCloseKey(device);
    if (!vendors && size > 0)
        driverKey[0] = '\0';
    return vendors;
}

bool CheckSwitchInfo(const char* driverKey, char* driverName, DWORD size)
{
    // HKEY_CURRENT_USER "Software\NORIX\NRXLCD\DriverName" (default value)
    if (!ReadKeyText(HKEY_CURRENT_USER, DRIVER_NAME_KEY, NULL, driverName, size))
        return false;
    int length = lstrlenA(driverName);
    if (length < 4 || !SameIgnoringAsciiCase(driverName + length - 4, ".DRV"))
        return false;
    UpperAscii(driverName);
    char path[SHORT_PATH];
    HKEY utility;
    // HKEY_LOCAL_MACHINE "System\CurrentControlSet\Services\Class\<driver key>\UTILITY" "ROTSEL"
    if (!DriverClassPath(path, sizeof(path), driverKey, "UTILITY") ||
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &utility) != ERROR_SUCCESS)
        return false;
    DWORD value = 0;
    DWORD valueSize = sizeof(value);
    bool supported = RegQueryValueExA(utility, "ROTSEL", NULL, NULL, (BYTE*)&value, &valueSize) ==
                         ERROR_SUCCESS &&
                     valueSize == sizeof(value) && (LONG)value > 0;
    RegCloseKey(utility);
    return supported;
}

bool IsCurrentDisplayDriver(const char* driverKey, const char* fileName)
{
    char path[SHORT_PATH];
    char current[SHORT_PATH];
    // HKEY_LOCAL_MACHINE "System\CurrentControlSet\Services\Class\<driver key>\DEFAULT" "drv"
    return DriverClassPath(path, sizeof(path), driverKey, "DEFAULT") &&
           ReadKeyText(HKEY_LOCAL_MACHINE, path, "drv", current, sizeof(current)) &&
           SameIgnoringAsciiCase(current, fileName);
}

struct PciInstance {
    const char* hardwareKey;
    const char* driver;
    HKEY settings;
};

// The instance's node: its "UTILITY" key, when that opens for writing.
static bool OpensInstanceSettings(const char* hardwareKey, void* context)
{
    PciInstance* instance = (PciInstance*)context;
    char path[LONG_PATH];
    HKEY opened;
    if (!SameBytes(hardwareKey, instance->hardwareKey) ||
        !DriverClassPath(path, sizeof(path), instance->driver, "UTILITY") ||
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | KEY_SET_VALUE, &opened) != ERROR_SUCCESS)
        return false;
    instance->settings = opened;
    return true;
}

// The settings key of one PCI instance when it is a configured vendor display.
static HKEY OpenPciInstanceSettings(const char* device, const char* instance)
{
    char path[LONG_PATH];
    HKEY key;
    // HKEY_LOCAL_MACHINE "Enum\PCI\<device>\<instance>" "Class", "Mfg", "Driver"
    if (!JoinPath(path, sizeof(path), "Enum\\PCI\\", device, "\\", instance) ||
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return NULL;
    char deviceClass[LONG_PATH];
    char manufacturer[LONG_PATH];
    char driver[LONG_PATH];
    // Only the two spellings the vendor's setup writes, unlike routine 2.
    bool qualifies = ReadRegistryText(key, "Class", deviceClass, sizeof(deviceClass)) &&
                     (SameBytes(deviceClass, "Display") || SameBytes(deviceClass, "DISPLAY")) &&
                     ReadRegistryText(key, "Mfg", manufacturer, sizeof(manufacturer)) &&
                     IsVendorName(manufacturer) &&
                     ReadRegistryText(key, "Driver", driver, sizeof(driver)) && driver[0];
    RegCloseKey(key);
    char hardwareKey[LONG_PATH];
    if (!qualifies || !JoinPath(hardwareKey, sizeof(hardwareKey), "PCI\\", device, "\\", instance))
        return NULL;
    PciInstance configured = {hardwareKey, driver, NULL};
    WalkConfiguredNodes(LONG_PATH, OpensInstanceSettings, &configured);
    return configured.settings;
}

// Windows 95/98: the first configured vendor display on the PCI bus.
static HKEY FindPciSettingsKey()
{
    HKEY pci;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Enum\\PCI", 0, KEY_READ, &pci) != ERROR_SUCCESS)
        return NULL;
    HKEY settings = NULL;
    char device[LONG_PATH];
    for (DWORD d = 0; !settings; ++d) {
        EnumResult nextDevice = EnumSubkey(pci, d, device, sizeof(device));
        if (nextDevice == ENUM_END)
            break;
        char path[LONG_PATH];
        HKEY instances;
        if (nextDevice == ENUM_SKIP || !JoinPath(path, sizeof(path), "Enum\\PCI\\", device) ||
            RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &instances) != ERROR_SUCCESS)
            continue;
        char instance[LONG_PATH];
        for (DWORD i = 0; !settings; ++i) {
            EnumResult nextInstance = EnumSubkey(instances, i, instance, sizeof(instance));
            if (nextInstance == ENUM_END)
                break;
            if (nextInstance == ENUM_NAME)
                settings = OpenPciInstanceSettings(device, instance);
        }
        RegCloseKey(instances);
    }
    RegCloseKey(pci);
    return settings;
}

// The text after the sixth backslash of a kernel registry path, walking
// whole characters (a double-byte character may end in 0x5C); NULL when
// there are fewer.
static const char* AfterKernelPrefix(const char* kernelPath)
{
    int backslashes = 0;
    for (const char* p = kernelPath; *p; p = CharNextA(p))
        if (*p == '\\' && ++backslashes == KERNEL_PATH_BACKSLASHES)
            return p + 1;
    return NULL;
}

// Windows NT: the primary video device's service key.
static HKEY OpenNtDeviceKey()
{
    char kernelPath[SHORT_PATH];
    // HKEY_LOCAL_MACHINE "HARDWARE\DEVICEMAP\VIDEO" "\DEVICE\VIDEO0"
    if (!ReadKeyText(HKEY_LOCAL_MACHINE, VIDEO_DEVICE_MAP, "\\DEVICE\\VIDEO0", kernelPath,
                     sizeof(kernelPath)))
        return NULL;
    const char* service = AfterKernelPrefix(kernelPath);
    char path[LONG_PATH];
    HKEY key;
    if (!service || *service == '\0' || !JoinPath(path, sizeof(path), NT_SERVICES, service) ||
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) !=
            ERROR_SUCCESS)
        return NULL;
    return key;
}

HKEY OpenPanelSettingsKey()
{
    return IsWindowsNt() ? OpenNtDeviceKey() : FindPciSettingsKey();
}
