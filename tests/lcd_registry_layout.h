// The registry a Windows 95/98 machine with the vendor's adapter and its
// driver installation has, laid out for tests of the LCD programs: device
// nodes under HKEY_DYN_DATA "Config Manager\Enum", hardware keys under
// "Enum", the driver's class key, and "Software\NORIX\NRXLCD".
#ifndef TESTS_LCD_REGISTRY_LAYOUT_H
#define TESTS_LCD_REGISTRY_LAYOUT_H

#include "scratch_registry.h"

#include <string>

namespace lcdreg {

const char CONFIG_MANAGER_ENUM[] = "Config Manager\\Enum\\";
const char CLASS_ROOT[] = "System\\CurrentControlSet\\Services\\Class\\";
const char NRXLCD_KEY[] = "Software\\NORIX\\NRXLCD";
const char DRIVER_NAME_KEY[] = "Software\\NORIX\\NRXLCD\\DriverName";
const char DIRECTION_KEY[] = "Software\\NORIX\\NRXLCD\\Direction";
const char PANEL_KEY[] = "Software\\NrxTestbed\\LcdPanel";

struct Device {
    std::string node;  // its Configuration Manager node; empty when not configured
    std::string hardwareKey;
    std::string deviceClass = "DISPLAY";
    std::string manufacturer = "ﾉﾘｯｸｽ";
    std::string driver = "DISPLAY\\0001";
};

inline std::string UtilityKey(const std::string& driver)
{
    return CLASS_ROOT + driver + "\\UTILITY";
}

inline void AddDevice(const Device& device)
{
    if (!device.node.empty())
        testreg::WriteString(HKEY_DYN_DATA, (CONFIG_MANAGER_ENUM + device.node).c_str(),
                             "HardWareKey", device.hardwareKey);
    std::string key = "Enum\\" + device.hardwareKey;
    testreg::WriteString(HKEY_LOCAL_MACHINE, key.c_str(), "Class", device.deviceClass);
    testreg::WriteString(HKEY_LOCAL_MACHINE, key.c_str(), "Mfg", device.manufacturer);
    testreg::WriteString(HKEY_LOCAL_MACHINE, key.c_str(), "Driver", device.driver);
}

// The driver's class key: the loaded driver file and the switching flag.
inline void AddDriver(const std::string& driver, const std::string& drv, DWORD rotsel = 1)
{
    testreg::WriteString(HKEY_LOCAL_MACHINE, (CLASS_ROOT + driver + "\\DEFAULT").c_str(), "drv", drv);
    testreg::WriteDword(HKEY_LOCAL_MACHINE, UtilityKey(driver).c_str(), "ROTSEL", rotsel);
}

inline void SetDriverName(const std::string& name)
{
    testreg::WriteString(HKEY_CURRENT_USER, DRIVER_NAME_KEY, "", name);
}

// One PCI adapter of the vendor with the portrait driver loaded.
inline Device PortraitInstallation(const std::string& node = "NRX0000",
                                   const std::string& driver = "DISPLAY\\0001")
{
    Device device;
    device.node = node;
    device.hardwareKey = "PCI\\VEN_10F0&DEV_0104\\BUS_00&DEV_0D&FUNC_00";
    device.driver = driver;
    AddDevice(device);
    AddDriver(driver, "NRXLCD.DRV");
    SetDriverName("VGA.DRV");
    return device;
}

// The key Windows NT keeps the panel settings in: the primary video device's
// service key, named by the video device map (Wine writes the map itself
// whenever a program starts: "...\Control\Video\{guid}\0000", which
// becomes "System\CurrentControlSet\Services\{guid}\0000"); "" without one.
inline std::string NtSettingsKey()
{
    std::string map = testreg::Read(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\VIDEO", "\\Device\\Video0").text();
    size_t sixth = 0;
    for (int i = 0; i < 6 && sixth != std::string::npos; ++i)
        sixth = map.find('\\', i ? sixth + 1 : 0);
    return sixth == std::string::npos ? "" : "System\\CurrentControlSet\\Services\\" + map.substr(sixth + 1);
}

inline testreg::Value LcdStatus(const std::string& driver = "DISPLAY\\0001")
{
    return testreg::Read(HKEY_LOCAL_MACHINE, UtilityKey(driver).c_str(), "LCDStatus");
}

// The "owner" marker a test put in a key, read and the key closed; "" for no key.
inline std::string OwnerOf(HKEY key)
{
    if (!key)
        return "";
    char owner[64] = "";
    DWORD size = sizeof(owner);
    RegQueryValueExA(key, "owner", NULL, NULL, (BYTE*)owner, &size);
    RegCloseKey(key);
    return owner;
}

inline DWORD DwordOf(const testreg::Value& value)
{
    return value.present && value.data.size() == 4 ? *(const DWORD*)value.data.data() : 0xDEADBEEF;
}

}  // namespace lcdreg

#endif
