// The vendor identification's registry reads, made directly.
#include "vendor_reads.h"

namespace vendor_reads {

static const char NODES[] = "Config Manager\\Enum";
static const char CLASS_ROOT[] = "System\\CurrentControlSet\\Services\\Class\\";

static HKEY Open(HKEY root, const char* path, REGSAM access = KEY_READ)
{
    HKEY key;
    return RegOpenKeyExA(root, path, 0, access, &key) == ERROR_SUCCESS ? key : NULL;
}

static void Read(HKEY key, const char* name, char* text, DWORD size)
{
    text[0] = '\0';
    RegQueryValueExA(key, name, NULL, NULL, (BYTE*)text, &size);
}

static void Close(HKEY key)
{
    if (key)
        RegCloseKey(key);
}

// The device key's three values, the driver key into `driver`.
static void ReadDevice(HKEY device, char* driver, DWORD size)
{
    char text[128];
    Read(device, "Class", text, sizeof(text));
    Read(device, "Mfg", text, sizeof(text));
    Read(device, "Driver", driver, size);
}

// Opens the node list, reads the first node's "HardWareKey" and hands it to
// `next` before the list is closed, as the programs' walk does.
template <typename Next>
static void FirstNode(Next next)
{
    HKEY nodes = Open(HKEY_DYN_DATA, NODES);
    char node[256], path[256], hardwareKey[256] = "";
    RegEnumKeyA(nodes, 0, node, sizeof(node));
    wsprintfA(path, "%s\\%s", NODES, node);
    HKEY key = Open(HKEY_DYN_DATA, path);
    Read(key, "HardWareKey", hardwareKey, sizeof(hardwareKey));
    Close(key);
    next(hardwareKey);
    Close(nodes);
}

void DeviceDriver(char* driverKey)
{
    FirstNode([driverKey](const char* hardwareKey) {
        char path[128];
        wsprintfA(path, "Enum\\%s", hardwareKey);
        HKEY device = Open(HKEY_LOCAL_MACHINE, path);
        ReadDevice(device, driverKey, 64);
        Close(device);
    });
}

void SwitchInfo(const char* driverKey)
{
    char name[16], path[128];
    HKEY key = Open(HKEY_CURRENT_USER, "Software\\NORIX\\NRXLCD\\DriverName");
    Read(key, NULL, name, sizeof(name));
    Close(key);
    wsprintfA(path, "%s%s\\UTILITY", CLASS_ROOT, driverKey);
    key = Open(HKEY_LOCAL_MACHINE, path);
    DWORD flag, size = sizeof(flag);
    RegQueryValueExA(key, "ROTSEL", NULL, NULL, (BYTE*)&flag, &size);
    Close(key);
}

void LoadedDriver(const char* driverKey)
{
    char path[128], drv[128];
    wsprintfA(path, "%s%s\\DEFAULT", CLASS_ROOT, driverKey);
    HKEY key = Open(HKEY_LOCAL_MACHINE, path);
    Read(key, "drv", drv, sizeof(drv));
    Close(key);
}

HKEY PanelSettings()
{
    HKEY pci = Open(HKEY_LOCAL_MACHINE, "Enum\\PCI");
    char device[256], instance[256], path[256], driver[256];
    RegEnumKeyA(pci, 0, device, sizeof(device));
    wsprintfA(path, "Enum\\PCI\\%s", device);
    HKEY instances = Open(HKEY_LOCAL_MACHINE, path);
    RegEnumKeyA(instances, 0, instance, sizeof(instance));
    wsprintfA(path, "Enum\\PCI\\%s\\%s", device, instance);
    HKEY key = Open(HKEY_LOCAL_MACHINE, path);
    ReadDevice(key, driver, sizeof(driver));
    Close(key);
    HKEY settings = NULL;
    FirstNode([&](const char*) {
        wsprintfA(path, "%s%s\\UTILITY", CLASS_ROOT, driver);
        settings = Open(HKEY_LOCAL_MACHINE, path, KEY_READ | KEY_SET_VALUE);
    });
    Close(instances);
    Close(pci);
    return settings;
}

}  // namespace vendor_reads
