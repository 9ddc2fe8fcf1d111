// NRXVGCHG.EXE through months in the tray: the real program, started from a
// folder of its own beside the stand-in library, with 800x600 (Ctrl+Alt+A)
// and 1024x768 (Ctrl+Alt+B) on for quick switching, driven as a user and the
// system would drive it.
#include "box_answerer.h"
#include "resolution_changer_fixture.h"
#include "resolution_changer/resource.h"
#include "soak_parts.h"

namespace {

using namespace e2e;

const char SETTINGS_TITLE[] = "ﾚｿﾞﾙｳﾞｧ設定";
const char ABOUT_TITLE[] = "ﾉﾘｯｸｽ ﾚｿﾞﾙｳﾞｧ";
const DWORD ROLL_BACK_TIMEOUT = 16000;

struct Mode {
    int width, height;
    WORD hotkey;
};
// Even cycles go to the first, odd ones back to the second.
const Mode MODES[2] = {{800, 600, 'A'}, {1024, 768, 'B'}};

const Mode& ModeOf(int n)
{
    return MODES[n % 2];
}

bool DialogOpensAndCloses(DWORD processId, HWND window, int command, const char* title, int button)
{
    driver::PostCommand(window, command);
    HWND dialog = driver::WaitForDialog(processId, title);
    if (!dialog || !driver::WaitFor([&] { return IsWindowVisible(dialog) != FALSE; }))
        return false;
    soak::PaintedNow(dialog);
    driver::PostCommand(dialog, button);
    return driver::WaitUntilGone(dialog) && soak::Settled(window);
}

// A mode from the menus: the notice, the switch, the question; `answers`
// are the notice's and the question's buttons (the question's left out: it
// goes unanswered).
bool SwitchFromTheMenu(DWORD processId, HWND window, const Mode& to, std::initializer_list<int> answers,
                       DWORD questionTimeout)
{
    driver::BoxAnswerer boxes(processId);
    boxes.Queue(answers);
    PostMessageA(window, WM_COMMAND, MenuIdFor(to.width, to.height, 32), 0);
    return boxes.WaitForBoxes(2) && driver::WaitUntilGone(boxes.Seen()[1].window, questionTimeout) &&
           soak::Settled(window);
}

// The hotkey of `to`, pressed once more when the screen has not changed
// after a while: right after a dialog closed, a press now and then comes to
// nothing on the test bed (the settings tests prove the hotkeys themselves;
// here what counts is what the program holds). A second press that finds
// the mode set changes nothing.
bool HotkeySwitches(const Mode& to)
{
    for (int press = 0; press < 2; ++press)
        if (driver::PressCtrlAlt(to.hotkey) && ScreenBecomes(to.width, to.height, 2000))
            return true;
    return false;
}

class ResidentResolutionChanger {
public:
    bool Start()
    {
        CreateDirectoryA(FOLDER, NULL);
        if (!CopyFileA(WINE_BUILD_DIR "\\bin\\NRXVGCHG.EXE", PROGRAM, FALSE) ||
            !CopyFileA(WINE_BUILD_DIR "\\bin\\NRXCHG32.DLL", "C:\\nrxe2e\\NRXCHG32.DLL", FALSE))
            return false;
        testreg::DeleteTree(HKEY_CURRENT_USER, KEY);
        testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res800x600", "1,00000641");   // Ctrl+Alt+A
        testreg::WriteString(HKEY_CURRENT_USER, KEY, "Res1024x768", "1,00000642");  // Ctrl+Alt+B
        program_.reset(new driver::Program(PROGRAM));
        if (!program_->started() || !program_->WaitUntilIdle())
            return false;
        window_ = driver::WaitForWindow(id(), TOOL_CLASS, TITLE);
        return window_ != NULL;
    }
    ~ResidentResolutionChanger()
    {
        if (window_)
            PostMessageA(window_, WM_COMMAND, IDM_EXIT, 0);
        if (program_)
            program_->WaitForExit();
        testreg::DeleteTree(HKEY_CURRENT_USER, KEY);
        if (!ScreenIs(1024, 768))
            driver::SetScreen(1024, 768);
    }
    DWORD id() const { return program_->id(); }
    HANDLE process() const { return OpenProcess(PROCESS_ALL_ACCESS, FALSE, id()); }

    std::vector<soak::Action> Actions()
    {
        DWORD pid = id();
        HWND window = window_;
        return {
            {"tray menu opened and closed (left, right click)", 1000,
             [=](int n) {
                 PostMessageA(window, WM_TRAYICON, TRAY_ICON_ID, n % 2 ? WM_RBUTTONUP : WM_LBUTTONUP);
                 return soak::MenuOpensAndCloses(pid);
             }},
            {"toolbar drop-down menu opened and closed", 500,
             [=](int) {
                 PostMessageA(window, WM_COMMAND, IDM_DROPDOWN, 0);
                 return soak::MenuOpensAndCloses(pid);
             }},
            {"mode from the menu, the question answered yes", 200,
             [=](int n) {
                 return SwitchFromTheMenu(pid, window, ModeOf(n), {IDOK, IDOK}, driver::DEFAULT_TIMEOUT) &&
                        ScreenBecomes(ModeOf(n).width, ModeOf(n).height);
             },
             1},
            {"the cycle button", 200,
             [=](int n) {
                 PostMessageA(window, WM_COMMAND, IDM_CYCLE, 0);
                 return ScreenBecomes(ModeOf(n).width, ModeOf(n).height) && soak::Settled(window);
             },
             1},
            {"mode from the menu, no answer: rolled back after 10 s", 5,
             [=](int) {
                 return SwitchFromTheMenu(pid, window, MODES[0], {IDOK}, ROLL_BACK_TIMEOUT) &&
                        ScreenBecomes(1024, 768);
             },
             2},
            {"hotkey switch", 200,
             [=](int n) {
                 return driver::PressCtrlAlt(ModeOf(n).hotkey) &&
                        ScreenBecomes(ModeOf(n).width, ModeOf(n).height) && soak::Settled(window);
             },
             1},
            {"settings dialog opened and cancelled", 200,
             [=](int) { return DialogOpensAndCloses(pid, window, IDM_SETTINGS, SETTINGS_TITLE, IDCANCEL); }},
            {"settings dialog ended with OK, hotkeys registered again", 50,
             [=](int n) {
                 return DialogOpensAndCloses(pid, window, IDM_SETTINGS, SETTINGS_TITLE, IDOK) &&
                        driver::WaitFor([&] { return driver::HotkeyTaken(MOD_CONTROL | MOD_ALT, ModeOf(n).hotkey); }) &&
                        HotkeySwitches(ModeOf(n)) && soak::Settled(window);
             },
             1},
            {"display changed by another program", 200,
             [=](int n) {
                 driver::SetScreen(ModeOf(n).width, ModeOf(n).height);
                 return ScreenIs(ModeOf(n).width, ModeOf(n).height) && soak::Settled(window);
             }},
            {"the taskbar announcing a restart: the icon added again", 100,
             [=](int) {
                 driver::RemoveTrayIcon(window, TRAY_ICON_ID);
                 driver::AnnounceTaskbarCreated();
                 return driver::WaitFor([&] { return driver::TrayIconShown(window, TRAY_ICON_ID); });
             }},
            {"about box opened and closed", 100,
             [=](int) { return DialogOpensAndCloses(pid, window, IDM_ABOUT, ABOUT_TITLE, IDOK); }},
        };
    }

private:
    std::unique_ptr<driver::Program> program_;
    HWND window_ = NULL;
};

}  // namespace

namespace soak {

bool SoakResolutionChanger(double scale)
{
    ResidentResolutionChanger program;
    if (!program.Start()) {
        std::printf("NRXVGCHG did not start\n");
        return false;
    }
    HANDLE process = program.process();
    Subject subject = {"NRXVGCHG", process};
    bool held = true;
    for (const Action& action : program.Actions()) {
        held = Run(subject, action, scale) && held;
        // Every action starts on the test bed's desktop as it was.
        if (!driver::ScreenIs(1024, 768))
            driver::SetScreen(1024, 768);
    }
    CloseHandle(process);
    return held;
}

}  // namespace soak
