// Fault matrix rows both LCD programs meet in their start-up checks: the
// vendor's portrait driver installed (lcdreg::PortraitInstallation) with one
// value or key spoiled, every value the identification reads given the
// wrong type, no bytes, one byte too many or no terminator, keys missing or
// in hundreds; and which check then fails.
#ifndef TESTS_LCD_FAULT_ROWS_H
#define TESTS_LCD_FAULT_ROWS_H

#include "lcd_registry_layout.h"

#include <functional>
#include <string>
#include <vector>

namespace lcdrows {

using namespace std::string_literals;

const char NODES[] = "Config Manager\\Enum";
const char NODE[] = "Config Manager\\Enum\\NRX0000";
const char PCI_DEVICE[] = "Enum\\PCI\\VEN_10F0&DEV_0104";
const char HARDWARE[] = "Enum\\PCI\\VEN_10F0&DEV_0104\\BUS_00&DEV_0D&FUNC_00";
const char CLASS_KEY[] = "System\\CurrentControlSet\\Services\\Class\\DISPLAY\\0001";
const char UTILITY[] = "System\\CurrentControlSet\\Services\\Class\\DISPLAY\\0001\\UTILITY";
const char DEFAULT_KEY[] = "System\\CurrentControlSet\\Services\\Class\\DISPLAY\\0001\\DEFAULT";

inline void Bytes(HKEY root, const char* key, const char* name, DWORD type, const std::string& data)
{
    testreg::Write(root, key, name, type, data.data(), (DWORD)data.size());
}

inline void Text(HKEY root, const char* key, const char* name, const std::string& text)
{
    testreg::WriteString(root, key, name, text);
}

inline void Dword(HKEY root, const char* key, const char* name, DWORD value)
{
    testreg::WriteDword(root, key, name, value);
}

// The start-up check a spoil makes fail.
enum Check { PASSES, NO_VENDOR_DRIVER, NO_SWITCH_INFO, NOT_PORTRAIT_DRIVER };

struct Spoil {
    const char* what;
    std::function<void()> spoil;
    Check fails;
};

inline std::vector<Spoil> IdentificationSpoils()
{
    const std::string hardwareKey = HARDWARE + 5;  // below "Enum\"
    return {
        {"nothing spoiled", [] {}, PASSES},
        // HKEY_DYN_DATA Config Manager\Enum\<node> "HardWareKey"
        {"HardWareKey of a number type", [] { Dword(HKEY_DYN_DATA, NODE, "HardWareKey", 0x20494350); },
         NO_VENDOR_DRIVER},
        {"HardWareKey of zero length", [] { Bytes(HKEY_DYN_DATA, NODE, "HardWareKey", REG_SZ, ""); },
         NO_VENDOR_DRIVER},
        {"HardWareKey of 128 bytes without a terminator",
         [=] {
             Bytes(HKEY_DYN_DATA, NODE, "HardWareKey", REG_BINARY,
                   hardwareKey + std::string(128 - hardwareKey.size(), ' '));
         },
         NO_VENDOR_DRIVER},
        // HKEY_LOCAL_MACHINE Enum\<hardware key> "Class", "Mfg", "Driver"
        {"Class of zero length", [] { Bytes(HKEY_LOCAL_MACHINE, HARDWARE, "Class", REG_SZ, ""); }, NO_VENDOR_DRIVER},
        {"Class of 128 bytes without a terminator",
         [] { Bytes(HKEY_LOCAL_MACHINE, HARDWARE, "Class", REG_BINARY, "DISPLAY" + std::string(121, ' ')); },
         NO_VENDOR_DRIVER},
        {"Mfg of a number type", [] { Dword(HKEY_LOCAL_MACHINE, HARDWARE, "Mfg", 0); }, NO_VENDOR_DRIVER},
        {"Mfg with bytes after its terminator",
         [] { Bytes(HKEY_LOCAL_MACHINE, HARDWARE, "Mfg", REG_BINARY, "ﾉﾘｯｸｽ\0xyz"s); }, PASSES},
        {"Driver of zero length, with keys of that name in the class root",
         [] {
             Bytes(HKEY_LOCAL_MACHINE, HARDWARE, "Driver", REG_SZ, "");
             lcdreg::AddDriver("", "NRXLCD.DRV");  // Class\DEFAULT and Class\UTILITY
         },
         NO_VENDOR_DRIVER},
        // HKEY_CURRENT_USER Software\NORIX\NRXLCD\DriverName (default value)
        {"DriverName of zero length", [] { Bytes(HKEY_CURRENT_USER, lcdreg::DRIVER_NAME_KEY, "", REG_SZ, ""); },
         NO_SWITCH_INFO},
        {"DriverName of a number type", [] { Dword(HKEY_CURRENT_USER, lcdreg::DRIVER_NAME_KEY, "", 1); },
         NO_SWITCH_INFO},
        // Class\<driver>\UTILITY "ROTSEL"
        {"ROTSEL of zero length", [] { Bytes(HKEY_LOCAL_MACHINE, UTILITY, "ROTSEL", REG_DWORD, ""); },
         NO_SWITCH_INFO},
        {"ROTSEL one byte too long", [] { Bytes(HKEY_LOCAL_MACHINE, UTILITY, "ROTSEL", REG_BINARY, "\1\0\0\0\0"s); },
         NO_SWITCH_INFO},
        {"ROTSEL as text", [] { Text(HKEY_LOCAL_MACHINE, UTILITY, "ROTSEL", "1"); }, NO_SWITCH_INFO},
        // Class\<driver>\DEFAULT "drv"
        {"drv of zero length", [] { Bytes(HKEY_LOCAL_MACHINE, DEFAULT_KEY, "drv", REG_SZ, ""); },
         NOT_PORTRAIT_DRIVER},
        {"drv of 128 bytes without a terminator",
         [] { Bytes(HKEY_LOCAL_MACHINE, DEFAULT_KEY, "drv", REG_BINARY, "NRXLCD.DRV" + std::string(118, ' ')); },
         NOT_PORTRAIT_DRIVER},
        {"drv with bytes after its terminator",
         [] { Bytes(HKEY_LOCAL_MACHINE, DEFAULT_KEY, "drv", REG_BINARY, "nrxlcd.drv\0junk"s); }, PASSES},
        // Missing keys, from the top of each walk down
        {"no Config Manager key", [] { testreg::DeleteTree(HKEY_DYN_DATA, "Config Manager"); }, NO_VENDOR_DRIVER},
        {"a node without HardWareKey first", [] { Text(HKEY_DYN_DATA, "Config Manager\\Enum\\0000", "Other", "x"); },
         PASSES},
        {"no hardware key for the node", [] { testreg::DeleteTree(HKEY_LOCAL_MACHINE, HARDWARE); },
         NO_VENDOR_DRIVER},
        {"no class key", [] { testreg::DeleteTree(HKEY_LOCAL_MACHINE, CLASS_KEY); }, NO_SWITCH_INFO},
        {"no DEFAULT key", [] { testreg::DeleteTree(HKEY_LOCAL_MACHINE, DEFAULT_KEY); }, NOT_PORTRAIT_DRIVER},
        // Hundreds of keys where the walks go
        {"300 other nodes first",
         [] {
             for (int i = 0; i < 300; ++i)
                 Text(HKEY_DYN_DATA, (std::string(NODES) + "\\0" + std::to_string(1000 + i)).c_str(), "HardWareKey",
                      "ROOT\\OTHER\\" + std::to_string(i));
         },
         PASSES},
        {"150 subkeys under UTILITY and DEFAULT",
         [] {
             for (int i = 0; i < 150; ++i)
                 for (const char* key : {UTILITY, DEFAULT_KEY})
                     Text(HKEY_LOCAL_MACHINE, (std::string(key) + "\\" + std::to_string(i)).c_str(), "drv", "x");
         },
         PASSES},
    };
}

}  // namespace lcdrows

#endif
