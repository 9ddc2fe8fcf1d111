// Fault matrix, PIVOTER in-process: its whole start-up on a Windows 98
// registry (scratch roots) with the vendor's portrait driver installed and
// one thing spoiled (the rows both LCD programs share, and PIVOTER's own:
// the PCI walk to its settings key and the driver's escape), on the
// simulated LCD panel; when it starts, one click toggles the panel and the
// exit command ends it. Only "LCDStatus", "Direction" and the simulated
// panel's own state may change, and no key is left open.
#include "box_answerer.h"
#include "fault_matrix.h"
#include "lcd_fault_rows.h"
#include "main_window.h"
#include "messages.h"
#include "panel_fixture.h"
#include "startup.h"
#include "vendor_identification.h"

#include <functional>
#include <string>

namespace {

using namespace lcdrows;

const std::vector<testreg::Subtree> ROOTS = {
    {HKEY_CURRENT_USER, "HKCU", ""}, {HKEY_LOCAL_MACHINE, "HKLM", ""}, {HKEY_DYN_DATA, "HKDD", ""}};
const UINT IDM_EXIT = 5;

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
    const char* const MESSAGES[] = {NULL, MESSAGE_NO_VENDOR_DRIVER, MESSAGE_NO_SWITCH_INFO,
                                    MESSAGE_NOT_PORTRAIT_DRIVER};
    std::vector<StartCase> cases;
    for (const Spoil& spoil : IdentificationSpoils())
        cases.push_back({spoil.what, spoil.spoil, MESSAGES[spoil.fails], spoil.fails == PASSES});
    // The PCI walk to the settings key, and the driver's escape.
    cases.insert(cases.end(), {
        {"the device on no PCI bus",
         [] {
             testreg::DeleteTree(HKEY_LOCAL_MACHINE, "Enum\\PCI");
             lcdreg::Device device;
             device.node = "NRX0000";
             device.hardwareKey = "ROOT\\DISPLAY\\0000";
             lcdreg::AddDevice(device);
         },
         MESSAGE_CANNOT_STORE, false},
        {"300 other instances of the PCI device first",
         [] {
             for (int i = 0; i < 300; ++i)
                 Text(HKEY_LOCAL_MACHINE, (std::string(PCI_DEVICE) + "\\A" + std::to_string(1000 + i)).c_str(),
                      "Class", "DISPLAY");
         },
         NULL, true},
        {"a state query that fails", [this] { Panel("failQuery", 1); }, MESSAGE_NO_PANEL, false},
        {"a panel that reports no LCD", [this] { Panel("caps", 0x02); }, MESSAGE_NO_PANEL, false},
    });
    for (const StartCase& c : cases)
        matrix::Case(std::string("PIVOTER: ") + c.what, 10000, [&] { Run(c); });
}

}  // namespace
