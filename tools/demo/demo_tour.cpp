// DEMO_TOUR.EXE <stage> <folder>: drives every window of the four programs
// on the demo machine as a user would and photographs each one into
// <folder>\<name>.bmp (scripts/screenshots.sh makes the PNGs). The tour
// crosses real restarts, so it runs in stages, one per boot; a stage that
// restarts Windows ends as the restart begins. Each picture's caption is
// looked at too (title pixels, the close button's glyph): "caption" lines on
// standard output.
#include "driver.h"
#include "group_windows.h"
#include "resolution_changer_fixture.h"
#include "screen_capture.h"

#include <cstdio>
#include <functional>
#include <map>
#include <string>

namespace {

const char TOOL_CLASS[] = "NRXTOOLWND";
const char PIVOTER_CLASS[] = "PivoterMainClass";
const UINT WM_TRAYICON = 0x0800;
const char RESOLVA_BOX[] = "ﾚｿﾞﾙ ｳﾞｧ";
const char PIVOTER_TITLE[] = "LCD ﾚｿﾞﾙｳﾞｧ";
const char ROTSEL_TITLE[] = "LCDﾄﾞﾗｲﾊﾞの切り替え";
const char UNINSTALL_TITLE[] = "ｱﾝｲﾝｽﾄｰﾙ";
const char ROTSEL[] = "C:\\windows\\ROTSEL.EXE";
const char DRIVER_GROUP[] = "ﾉﾘｯｸｽ表示ソフト QX-S4K-A";
const char STARTUP_GROUP[] = "ｽﾀｰﾄｱｯﾌﾟ";
const char INSTALL_DIR[] = "C:\\Program Files\\NORIX\\QX-S4K-A";
const DWORD LONG_WAIT = 20000;

std::string Folder;
int Failures = 0;

void Fail(const std::string& what)
{
    std::printf("FAILED: %s\n", what.c_str());
    std::fflush(stdout);
    ++Failures;
}

// A top-level window of any process, visible.
HWND WaitTop(const char* className, const char* title, DWORD timeout = LONG_WAIT)
{
    HWND found = NULL;
    driver::WaitFor([&] { return (found = FindWindowA(className, title)) && IsWindowVisible(found); }, timeout);
    if (!found)
        Fail(std::string("no window ") + (title ? title : className));
    return found;
}

DWORD ProcessOf(HWND window)
{
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

HWND WaitDialog(DWORD process, const char* title)
{
    HWND dialog = driver::WaitForDialog(process, title, LONG_WAIT);
    if (!dialog)
        Fail(std::string("no dialog ") + title);
    return dialog;
}

// A message box of `process` other than `besides`.
HWND WaitBox(DWORD process, const char* title, HWND besides = NULL)
{
    HWND box = NULL;
    driver::WaitFor([&] {
        for (HWND window : driver::ProcessWindows(process, "#32770", title))
            if (window != besides && IsWindowVisible(window) && GetDlgItem(window, 0xFFFF))
                return (box = window) != NULL;
        return false;
    }, LONG_WAIT);
    if (!box)
        Fail(std::string("no message box ") + title);
    return box;
}

HWND WaitMenu(DWORD process)
{
    HWND menu = NULL;
    driver::WaitFor([&] { return (menu = driver::VisibleMenu(process)) != NULL; }, LONG_WAIT);
    if (!menu)
        Fail("no menu");
    return menu;
}

void Keys(HWND menu, std::initializer_list<WPARAM> keys)
{
    for (WPARAM key : keys) {
        PostMessageA(menu, WM_KEYDOWN, key, 0);
        Sleep(150);
    }
}

// Photographs the windows with a margin; `caption` names the one whose
// caption is looked at.
void Shot(const std::string& name, std::vector<HWND> windows, HWND caption = NULL, int margin = 8)
{
    // Every window painted through before the picture.
    for (HWND window : windows)
        RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(1000);
    RECT area = capture::Around(windows, margin);
    if (IsRectEmpty(&area)) {
        Fail("nothing to photograph for " + name);
        return;
    }
    if (!capture::SaveBmp(capture::Take(area), Folder + "\\" + name + ".bmp"))
        Fail("cannot write " + name);
    if (caption) {
        capture::CaptionLook look = capture::LookAtCaption(caption);
        std::printf("caption %s: title pixels %d, close glyph %d pixels, %s\n", name.c_str(), look.titlePixels,
                    look.glyphPixels, look.glyphSymmetric ? "a cross" : "NOT a cross");
    }
    std::fflush(stdout);
}

void ShotScreen(const std::string& name)
{
    Sleep(600);
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!capture::SaveBmp(capture::Take(screen), Folder + "\\" + name + ".bmp"))
        Fail("cannot write " + name);
}

void Check(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_SETCHECK, BST_CHECKED, 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

// Starts a program and lets it go: it may restart Windows after we end.
DWORD Launch(const std::string& path, const std::string& folder)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + path + "\"";
    if (!CreateProcessA(path.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(), &startup,
                        &process)) {
        Fail("cannot start " + path);
        return 0;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return process.dwProcessId;
}

// Answers NRXVGCHG's box; then the dialog that follows it.
HWND Answer(HWND box, int button, DWORD process)
{
    driver::PostCommand(box, button);
    driver::WaitUntilGone(box, LONG_WAIT);
    return WaitDialog(process, RESOLVA_BOX);
}

// Selects a mode from NRXVGCHG's menus (the command its item sends): the
// size at the first of `depths` that the menus hold.
void SelectMode(HWND tool, int width, int height, std::initializer_list<int> depths)
{
    for (int bits : depths) {
        int id = e2e::MenuIdFor(width, height, bits);
        if (id >= 0) {
            PostMessageA(tool, WM_COMMAND, id, 0);
            return;
        }
    }
    Fail("no mode " + std::to_string(width) + "x" + std::to_string(height) + " in the menus");
}

// The tool window, its two menus, the about box, the settings dialog, a
// message box and the dialogs of a switch.
void ResolutionChanger()
{
    HWND tool = WaitTop(TOOL_CLASS, NULL);
    DWORD process = ProcessOf(tool);
    Shot("nrxvgchg-tool-window", {tool}, tool, 24);

    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 12, GetSystemMetrics(SM_CYSCREEN) - 12);
    PostMessageA(tool, WM_TRAYICON, 11, WM_LBUTTONUP);
    HWND menu = WaitMenu(process);
    Shot("nrxvgchg-tray-menu", {menu});
    Keys(menu, {VK_ESCAPE});

    PostMessageA(tool, WM_COMMAND, 202, 0);
    menu = WaitMenu(process);
    Keys(menu, {VK_DOWN, VK_DOWN, VK_RIGHT});  // the 16M色 submenu: the modes in use
    Shot("nrxvgchg-toolbar-menu", driver::ProcessWindows(process, "#32768"));
    Keys(menu, {VK_ESCAPE, VK_ESCAPE});
    driver::WaitFor([&] { return driver::VisibleMenu(process) == NULL; });

    PostMessageA(tool, WM_COMMAND, 103, 0);
    HWND about = WaitDialog(process, "ﾉﾘｯｸｽ ﾚｿﾞﾙｳﾞｧ");
    Shot("nrxvgchg-about", {about}, about);
    driver::PostCommand(about, IDOK);
    driver::WaitUntilGone(about);

    PostMessageA(tool, WM_COMMAND, 102, 0);
    HWND settings = WaitDialog(process, "ﾚｿﾞﾙｳﾞｧ設定");
    Shot("nrxvgchg-settings", {settings}, settings);
    driver::PostCommand(settings, IDCANCEL);
    driver::WaitUntilGone(settings);

    // Another resolution: the warning box, then the timed question, which
    // "いいえ" answers by going back.
    SelectMode(tool, 800, 600, {32});
    HWND box = WaitBox(process, RESOLVA_BOX);
    Shot("nrxvgchg-message", {box}, box);
    HWND question = Answer(box, IDOK, process);
    Shot("nrxvgchg-confirm", {question}, question);
    driver::PostCommand(question, IDCANCEL);
    driver::WaitFor([] { return driver::ScreenIs(1024, 768); }, LONG_WAIT);

    // Another colour depth: restart, switch live or cancel.
    SelectMode(tool, 640, 480, {16, 8});
    HWND restart = WaitDialog(process, RESOLVA_BOX);
    Shot("nrxvgchg-restart-or-switch", {restart}, restart);
    driver::PostCommand(restart, IDCANCEL);
    driver::WaitUntilGone(restart);
}

void OrientationChanger()
{
    HWND main = WaitTop(PIVOTER_CLASS, NULL);
    DWORD process = ProcessOf(main);
    PostMessageA(main, WM_TRAYICON, 106, WM_RBUTTONUP);
    HWND menu = WaitMenu(process);
    Shot("pivoter-menu", {menu});
    Keys(menu, {VK_ESCAPE});
    PostMessageA(main, WM_COMMAND, 2, 0);
    HWND about = WaitDialog(process, "ﾊﾞｰｼﾞｮﾝ情報");
    Shot("pivoter-about", {about}, about);
    driver::PostCommand(about, IDOK);
    driver::WaitUntilGone(about);
}

// ROTSEL on a start at which Windows did not detect the board: its node in
// the running hardware tree is gone until the next start.
void DriverSwitchFailure()
{
    const char node[] = "Config Manager\\Enum\\C29A1000";
    char hardwareKey[256] = "";
    HKEY key;
    if (RegOpenKeyExA(HKEY_DYN_DATA, node, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        DWORD size = sizeof(hardwareKey) - 1;
        RegQueryValueExA(key, "HardWareKey", NULL, NULL, (BYTE*)hardwareKey, &size);
        RegCloseKey(key);
    }
    RegDeleteKeyA(HKEY_DYN_DATA, node);
    DWORD process = Launch(ROTSEL, "C:\\windows");
    HWND box = WaitBox(process, ROTSEL_TITLE);
    Shot("rotsel-failure", {box}, box);
    driver::PostCommand(box, IDOK);
    driver::WaitUntilGone(box);
    testreg::WriteString(HKEY_DYN_DATA, node, "HardWareKey", hardwareKey);
}

// ROTSEL's dialog of the driver installed now; 再起動(&R) restarts Windows.
void DriverSwitch(const std::string& name, bool portraitAtRestart)
{
    DWORD process = Launch(ROTSEL, "C:\\windows");
    HWND dialog = WaitDialog(process, ROTSEL_TITLE);
    if (portraitAtRestart)
        Check(dialog, 1000);
    Shot(name, {dialog}, dialog);
    driver::PostCommand(dialog, IDOK);
}

void Uninstall()
{
    std::string program = std::string(INSTALL_DIR) + "\\NRXDEL.EXE";
    Launch(program, INSTALL_DIR);
    HWND dialog = WaitTop("#32770", UNINSTALL_TITLE);
    DWORD process = ProcessOf(dialog);
    Check(dialog, 1000);
    Check(dialog, 1001);
    Shot("nrxdel-selection", {dialog}, dialog);
    driver::PostCommand(dialog, IDOK);
    HWND box = WaitBox(process, UNINSTALL_TITLE, dialog);
    // The uninstaller's Program Manager commands open explorer windows on
    // the groups, which come a moment later, over the box.
    for (DWORD start = GetTickCount(); GetTickCount() - start < 4000; Sleep(200))
        for (const char* group : {DRIVER_GROUP, STARTUP_GROUP})
            for (HWND window : testbed::GroupWindows(group))
                PostMessageA(window, WM_CLOSE, 0, 0);
    SetWindowPos(box, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    Shot("nrxdel-final", {box}, box);
    driver::PostCommand(box, IDOK);  // the restart
}

const std::map<std::string, std::function<void()>> STAGES = {
    // Booted with the portrait driver: everything before the first restart.
    {"portrait", [] {
         ShotScreen("desktop");
         ResolutionChanger();
         OrientationChanger();
         DriverSwitchFailure();
         DriverSwitch("rotsel-to-standard", false);
     }},
    // Booted with the standard driver: PIVOTER refuses; back to portrait.
    {"standard", [] {
         HWND box = WaitTop("#32770", PIVOTER_TITLE);
         Shot("pivoter-refuses", {box}, box);
         driver::PostCommand(box, IDOK);
         DriverSwitch("rotsel-to-portrait", true);
     }},
    // Portrait again; NRXVGCHG's restart path to another resolution and depth.
    {"portrait-again", [] {
         HWND tool = WaitTop(TOOL_CLASS, NULL);
         WaitTop(PIVOTER_CLASS, NULL);
         SelectMode(tool, 640, 480, {16, 8});
         HWND restart = WaitDialog(ProcessOf(tool), RESOLVA_BOX);
         driver::PostCommand(restart, IDOK);  // ﾘｽﾀｰﾄ(&R)
     }},
    // Started in the recorded mode; back to 1024x768, then the uninstall.
    {"recorded-mode", [] {
         HWND tool = WaitTop(TOOL_CLASS, NULL);
         if (!driver::WaitFor([] { return driver::ScreenIs(640, 480); }, LONG_WAIT))
             Fail("the machine did not start in the recorded 640x480");
         ShotScreen("desktop-640x480");
         DWORD process = ProcessOf(tool);
         SelectMode(tool, 1024, 768, {32});
         HWND question = Answer(WaitBox(process, RESOLVA_BOX), IDOK, process);
         driver::PostCommand(question, IDOK);
         driver::WaitFor([] { return driver::ScreenIs(1024, 768); }, LONG_WAIT);
         Uninstall();
     }},
    {"uninstalled", [] { ShotScreen("desktop-after-uninstall"); }},
};

}  // namespace

int main(int argc, char** argv)
{
    auto stage = argc == 3 ? STAGES.find(argv[1]) : STAGES.end();
    if (stage == STAGES.end()) {
        std::fprintf(stderr, "usage: demo_tour <stage> <folder>; stages:");
        for (const auto& s : STAGES)
            std::fprintf(stderr, " %s", s.first.c_str());
        std::fprintf(stderr, "\n");
        return 2;
    }
    Folder = argv[2];
    stage->second();
    return Failures == 0 ? 0 : 1;
}
