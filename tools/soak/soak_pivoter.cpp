// PIVOTER.EXE through months in the tray: its testbed build on the simulated
// panel, with the vendor's registry laid into the prefix and put back.
#include "pivoter_e2e_fixture.h"
#include "lcd_orientation/resource.h"
#include "soak_parts.h"

namespace {

using namespace pivoter_e2e;

const char ABOUT_TITLE[] = "ﾊﾞｰｼﾞｮﾝ情報";

std::vector<soak::Action> Actions(DWORD pid, HWND window)
{
    return {
        {"left click: the panel turned (800x600 and back)", 500,
         [=](int n) {
             PostMessageA(window, WM_TRAYICON, TRAY_ICON_ID, WM_LBUTTONUP);
             return driver::WaitFor([&] { return n % 2 ? ScreenIs(1024, 768) : ScreenIs(800, 600); }) &&
                    soak::Settled(window);
         },
         1},
        {"right-click menu opened and closed", 500,
         [=](int) {
             PostMessageA(window, WM_TRAYICON, TRAY_ICON_ID, WM_RBUTTONUP);
             return soak::MenuOpensAndCloses(pid);
         }},
        {"about box opened and closed", 100,
         [=](int) {
             driver::PostCommand(window, IDM_ABOUT);
             HWND about = driver::WaitForDialog(pid, ABOUT_TITLE);
             if (!about)
                 return false;
             soak::PaintedNow(about);
             return driver::PostCommand(about, IDOK) && driver::WaitUntilGone(about);
         }},
        {"the taskbar announcing a restart: the icon added again", 100,
         [=](int) {
             driver::RemoveTrayIcon(window, TRAY_ICON_ID);
             driver::AnnounceTaskbarCreated();
             return driver::WaitFor([&] { return TrayIconShown(window); });
         }},
    };
}

}  // namespace

namespace soak {

bool SoakOrientationChanger(double scale)
{
    testreg::RegistryRestorer restorer;
    restorer.Key(HKEY_DYN_DATA, "Config Manager\\Enum\\NRX0000");
    restorer.Key(HKEY_LOCAL_MACHINE, "Enum\\PCI\\VEN_10F0&DEV_0104");
    restorer.Key(HKEY_LOCAL_MACHINE, std::string(lcdreg::CLASS_ROOT) + "DISPLAY\\0001");
    restorer.Key(HKEY_CURRENT_USER, lcdreg::NRXLCD_KEY);
    restorer.Key(HKEY_CURRENT_USER, lcdreg::PANEL_KEY);
    lcdreg::PortraitInstallation();
    driver::Program program(TESTBED);
    HWND window = program.WaitUntilIdle() ? driver::WaitForWindow(program.id(), MAIN_CLASS, NULL) : NULL;
    if (!window || !driver::WaitFor([&] { return TrayIconShown(window); })) {
        std::printf("PIVOTER did not start\n");
        return false;
    }
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, program.id());
    Subject subject = {"PIVOTER", process};
    bool held = true;
    for (const Action& action : Actions(program.id(), window)) {
        held = Run(subject, action, scale) && held;
        // Every action starts in landscape.
        if (!ScreenIs(1024, 768))
            PostMessageA(window, WM_TRAYICON, TRAY_ICON_ID, WM_LBUTTONUP);
        driver::WaitFor([] { return ScreenIs(1024, 768); });
    }
    CloseHandle(process);
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    program.WaitForExit();
    if (!ScreenIs(1024, 768))
        SetScreen(1024, 768);
    return held;
}

}  // namespace soak
