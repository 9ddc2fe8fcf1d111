// Fault matrix, PIVOTER in-process: its whole start-up on a Windows 98
// registry (scratch roots) with the vendor's portrait driver installed and
// one thing spoiled, on the simulated LCD panel; when it starts, one click
// toggles the panel and the exit command ends it. Every value it reads is
// given the wrong type, no bytes, one byte too many or no terminator; keys
// go missing or come in hundreds. Only "LCDStatus", "Direction" and the
// simulated panel's own state may change, and no key is left open.
#include "box_answerer.h"
#include "fault_matrix.h"
#include "main_window.h"
#include "messages.h"
#include "panel_fixture.h"
#include "startup.h"
#include "vendor_identification.h"

#include <functional>
#include <string>

namespace {

using namespace std::string_literals;

const std::vector<testreg::Subtree> ROOTS = {
    {HKEY_CURRENT_USER, "HKCU", ""}, {HKEY_LOCAL_MACHINE, "HKLM", ""}, {HKEY_DYN_DATA, "HKDD", ""}};
const char NODES[] = "Config Manager\\Enum";
const char NODE[] = "Config Manager\\Enum\\NRX0000";
const char PCI_DEVICE[] = "Enum\\PCI\\VEN_10F0&DEV_0104";
const char HARDWARE[] = "Enum\\PCI\\VEN_10F0&DEV_0104\\BUS_00&DEV_0D&FUNC_00";
const char CLASS_KEY[] = "System\\CurrentControlSet\\Services\\Class\\DISPLAY\\0001";
const char UTILITY[] = "System\\CurrentControlSet\\Services\\Class\\DISPLAY\\0001\\UTILITY";
const char DEFAULT_KEY[] = "System\\CurrentControlSet\\Services\\Class\\DISPLAY\\0001\\DEFAULT";
const UINT IDM_EXIT = 5;

void Bytes(HKEY root, const char* key, const char* name, DWORD type, const std::string& data)
{
    testreg::Write(root, key, name, type, data.data(), (DWORD)data.size());
}

void Text(HKEY root, const char* key, const char* name, const std::string& text)
{
    testreg::WriteString(root, key, name, text);
}

void Dword(HKEY root, const char* key, const char* name, DWORD value)
{
    testreg::WriteDword(root, key, name, value);
}

// Once the main window is there: a left click on the icon, then 終了.
bool clicking = false;

VOID CALLBACK ClickAndExit(HWND, UINT, UINT_PTR, DWORD)
{
    if (clicking || !Program.mainWindow || !IsWindow(Program.mainWindow))
        return;
    clicking = true;  // the toggle's box runs a loop of its own
    SendMessageA(Program.mainWindow, WM_TRAYICON, TRAY_ICON_ID, WM_LBUTTONUP);
    SendMessageA(Program.mainWindow, WM_COMMAND, IDM_EXIT, 0);
    clicking = false;
}

struct StartCase {
    const char* what;
    std::function<void()> spoil;  // of the portrait installation
    const char* message;           // of the start-up checks or the toggle; NULL for none
    bool toggled;                  // portrait stored by the click
};

class PivoterMatrix : public PanelFixture {
protected:
    void Run(const StartCase& c)
    {
        Restart();
        testreg::DeleteTree(HKEY_DYN_DATA, "Config Manager");
        testreg::DeleteTree(HKEY_LOCAL_MACHINE, "Enum");
        testreg::DeleteTree(HKEY_LOCAL_MACHINE, "System");
        testreg::DeleteTree(HKEY_CURRENT_USER, "Software\\NORIX");
        lcdreg::PortraitInstallation();
        List({{1024, 768, 32, 0}, {800, 600, 32, 0}});
        c.spoil();
        matrix::Snapshot before = matrix::Take({ROOTS, {}});
        driver::BoxAnswerer boxes;
        if (c.message)
            boxes.Queue(IDOK);
        {
            matrix::OpenHandles handles;
            Program.mainWindow = NULL;
            UINT_PTR timer = SetTimer(NULL, 0, 20, ClickAndExit);
            EXPECT_EQ(0, RunPivoter(GetModuleHandleA(NULL)));
            KillTimer(NULL, timer);
            MSG message;
            while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
                ;
            EXPECT_EQ(0, handles.keys()) << "registry keys left open";
        }
        std::vector<driver::SeenBox> seen = boxes.Seen();
        if (c.message) {
            ASSERT_EQ(1u, seen.size());
            EXPECT_EQ(c.message, seen[0].text);
        } else {
            EXPECT_TRUE(seen.empty());
        }
        EXPECT_EQ(c.toggled, lcdreg::DwordOf(lcdreg::LcdStatus()) == 0x81u);
        EXPECT_EQ("", matrix::ChangesOutside(before, matrix::Take({ROOTS, {}}),
                                             matrix::Within({std::string("HKLM\\") + UTILITY + "\\LCDStatus",
                                                             std::string("HKCU\\") + lcdreg::DIRECTION_KEY,
                                                             "HKCU\\Software\\NrxTestbed"})));
    }
};

TEST_F(PivoterMatrix, StartupAndToggleWithEverySpoiledValueAndKey)
{
    const std::string vendor = "ﾉﾘｯｸｽ";
    const char* const NO_DRIVER = MESSAGE_NO_VENDOR_DRIVER;
    const char* const NO_INFO = MESSAGE_NO_SWITCH_INFO;
    const StartCase cases[] = {
        {"nothing spoiled", [] {}, NULL, true},
        // HKEY_DYN_DATA Config Manager\Enum\<node> "HardWareKey"
        {"HardWareKey of a number type", [] { Dword(HKEY_DYN_DATA, NODE, "HardWareKey", 0x20494350); }, NO_DRIVER,
         false},
        {"HardWareKey of zero length", [] { Bytes(HKEY_DYN_DATA, NODE, "HardWareKey", REG_SZ, ""); }, NO_DRIVER,
         false},
        {"HardWareKey of 128 bytes without a terminator",
         [] {
             const std::string key = HARDWARE + 5;
             Bytes(HKEY_DYN_DATA, NODE, "HardWareKey", REG_BINARY, key + std::string(128 - key.size(), ' '));
         },
         NO_DRIVER, false},
        // HKEY_LOCAL_MACHINE Enum\<hardware key> "Class", "Mfg", "Driver"
        {"Class of zero length", [] { Bytes(HKEY_LOCAL_MACHINE, HARDWARE, "Class", REG_SZ, ""); }, NO_DRIVER, false},
        {"Class of 128 bytes without a terminator",
         [] { Bytes(HKEY_LOCAL_MACHINE, HARDWARE, "Class", REG_BINARY, "DISPLAY" + std::string(121, ' ')); },
         NO_DRIVER, false},
        {"Mfg of a number type", [] { Dword(HKEY_LOCAL_MACHINE, HARDWARE, "Mfg", 0); }, NO_DRIVER, false},
        {"Mfg with bytes after its terminator",
         [=] { Bytes(HKEY_LOCAL_MACHINE, HARDWARE, "Mfg", REG_BINARY, vendor + '\0' + "xyz"); }, NULL, true},
        {"Driver of zero length, with keys of that name in the class root",
         [] {
             Bytes(HKEY_LOCAL_MACHINE, HARDWARE, "Driver", REG_SZ, "");
             lcdreg::AddDriver("", "NRXLCD.DRV");  // Class\DEFAULT and Class\UTILITY
         },
         NO_DRIVER, false},
        // HKEY_CURRENT_USER Software\NORIX\NRXLCD\DriverName (default value)
        {"DriverName of zero length", [] { Bytes(HKEY_CURRENT_USER, lcdreg::DRIVER_NAME_KEY, "", REG_SZ, ""); },
         NO_INFO, false},
        {"DriverName of a number type", [] { Dword(HKEY_CURRENT_USER, lcdreg::DRIVER_NAME_KEY, "", 1); }, NO_INFO,
         false},
        // Class\<driver>\UTILITY "ROTSEL"
        {"ROTSEL of zero length", [] { Bytes(HKEY_LOCAL_MACHINE, UTILITY, "ROTSEL", REG_DWORD, ""); }, NO_INFO,
         false},
        {"ROTSEL one byte too long", [] { Bytes(HKEY_LOCAL_MACHINE, UTILITY, "ROTSEL", REG_BINARY, "\1\0\0\0\0"s); },
         NO_INFO, false},
        {"ROTSEL as text", [] { Text(HKEY_LOCAL_MACHINE, UTILITY, "ROTSEL", "1"); }, NO_INFO, false},
        // Class\<driver>\DEFAULT "drv"
        {"drv of zero length", [] { Bytes(HKEY_LOCAL_MACHINE, DEFAULT_KEY, "drv", REG_SZ, ""); },
         MESSAGE_NOT_PORTRAIT_DRIVER, false},
        {"drv of 128 bytes without a terminator",
         [] { Bytes(HKEY_LOCAL_MACHINE, DEFAULT_KEY, "drv", REG_BINARY, "NRXLCD.DRV" + std::string(118, ' ')); },
         MESSAGE_NOT_PORTRAIT_DRIVER, false},
        {"drv with bytes after its terminator",
         [] { Bytes(HKEY_LOCAL_MACHINE, DEFAULT_KEY, "drv", REG_BINARY, "nrxlcd.drv\0junk"s); }, NULL, true},
        // Missing keys, from the top of each walk down
        {"no Config Manager key", [] { testreg::DeleteTree(HKEY_DYN_DATA, "Config Manager"); }, NO_DRIVER, false},
        {"a node without HardWareKey first",
         [] { Text(HKEY_DYN_DATA, "Config Manager\\Enum\\0000", "Other", "x"); }, NULL, true},
        {"no hardware key for the node", [] { testreg::DeleteTree(HKEY_LOCAL_MACHINE, HARDWARE); }, NO_DRIVER,
         false},
        {"no class key", [] { testreg::DeleteTree(HKEY_LOCAL_MACHINE, CLASS_KEY); }, NO_INFO, false},
        {"no DEFAULT key", [] { testreg::DeleteTree(HKEY_LOCAL_MACHINE, DEFAULT_KEY); }, MESSAGE_NOT_PORTRAIT_DRIVER,
         false},
        {"the device on no PCI bus", [] {
             testreg::DeleteTree(HKEY_LOCAL_MACHINE, "Enum\\PCI");
             lcdreg::Device device;
             device.node = "NRX0000";
             device.hardwareKey = "ROOT\\DISPLAY\\0000";
             lcdreg::AddDevice(device);
         },
         MESSAGE_CANNOT_STORE, false},
        // Hundreds of keys where the walks go
        {"300 other nodes first",
         [] {
             for (int i = 0; i < 300; ++i)
                 Text(HKEY_DYN_DATA, (std::string(NODES) + "\\0" + std::to_string(1000 + i)).c_str(), "HardWareKey",
                      "ROOT\\OTHER\\" + std::to_string(i));
         },
         NULL, true},
        {"300 other instances of the PCI device first",
         [] {
             for (int i = 0; i < 300; ++i)
                 Text(HKEY_LOCAL_MACHINE, (std::string(PCI_DEVICE) + "\\A" + std::to_string(1000 + i)).c_str(),
                      "Class", "DISPLAY");
         },
         NULL, true},
        {"150 subkeys under UTILITY and DEFAULT",
         [] {
             for (int i = 0; i < 150; ++i)
                 for (const char* key : {UTILITY, DEFAULT_KEY})
                     Text(HKEY_LOCAL_MACHINE, (std::string(key) + "\\" + std::to_string(i)).c_str(), "drv", "x");
         },
         NULL, true},
        // The driver's escape
        {"a state query that fails", [this] { Panel("failQuery", 1); }, MESSAGE_NO_PANEL, false},
        {"a panel that reports no LCD", [this] { Panel("caps", 0x02); }, MESSAGE_NO_PANEL, false},
    };
    for (const StartCase& c : cases)
        matrix::Case(std::string("PIVOTER: ") + c.what, 10000, [&] { Run(c); });
}

}  // namespace
