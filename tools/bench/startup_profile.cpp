// Where a tray utility's start-up time goes under Wine: the calls that
// NRXVGCHG makes before its tool window shows, made in the same order by a
// fresh process each round and timed one by one (median per call).
//
//   startup_profile ROUNDS          (the parent: runs the rounds, prints)
//   startup_profile child FILE      (one round: appends "step ms" lines)
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

LARGE_INTEGER last;
std::vector<std::pair<std::string, double>> steps;

void Step(const char* name)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    steps.push_back({name, (now.QuadPart - last.QuadPart) * 1000.0 / frequency.QuadPart});
    last = now;
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterOne(const char* name)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hIcon = LoadIconA(NULL, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

void OneRound(const char* file)
{
    QueryPerformanceCounter(&last);
    RegisterOne("ProfileTool");
    RegisterOne("ProfileMenu");
    RegisterOne("ProfileHotkey");
    Step("register the window classes");
    GetSystemMetrics(SM_CLEANBOOT);
    FindWindowA("ProfileToolOther", NULL);
    Step("safe-mode and single-instance checks");
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    EnumDisplaySettingsA(NULL, 0, &mode);
    Step("first display mode");
    for (DWORD n = 1; EnumDisplaySettingsA(NULL, n, &mode); ++n)
        ;
    Step("the other display modes");
    HMODULE library = LoadLibraryA("NRXCHG32.DLL");
    Step("load NRXCHG32.DLL");
    typedef int(WINAPI * CheckQuickRes)();
    CheckQuickRes check = library ? (CheckQuickRes)GetProcAddress(library, "CheckQuickRes") : NULL;
    if (check)
        check();
    Step("CheckQuickRes");
    HKEY key;
    DWORD disposition;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\NORIX\\Resolva", 0, NULL, 0, KEY_ALL_ACCESS,
                        NULL, &key, &disposition) == ERROR_SUCCESS) {
        char data[64];
        for (int i = 0; i < 22; ++i) {
            DWORD size = sizeof(data);
            RegQueryValueExA(key, "Res1024x768", NULL, NULL, (BYTE*)data, &size);
        }
        RegCloseKey(key);
    }
    Step("read the stored settings");
    HWND window = CreateWindowExA(WS_EX_PALETTEWINDOW, "ProfileTool", "profile",
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 900, 0, 60,
                                  50, NULL, NULL, GetModuleHandleA(NULL), NULL);
    Step("create the tool window");
    // NRXVGCHG binds SHELL32 and COMCTL32 at load time; loaded here to see their cost.
    HMODULE shell = LoadLibraryA("SHELL32.DLL");
    Step("load SHELL32.DLL");
    typedef BOOL(WINAPI * NotifyIcon)(DWORD, NOTIFYICONDATAA*);
    NotifyIcon notifyIcon = (NotifyIcon)GetProcAddress(shell, "Shell_NotifyIconA");
    NOTIFYICONDATAA icon = {};
    icon.cbSize = 88;
    icon.hWnd = window;
    icon.uID = 11;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = WM_USER + 0x400;
    icon.hIcon = LoadIconA(NULL, IDI_APPLICATION);
    lstrcpyA(icon.szTip, "profile");
    notifyIcon(NIM_ADD, &icon);
    Step("add the tray icon");
    HMODULE controls = LoadLibraryA("COMCTL32.DLL");
    Step("load COMCTL32.DLL");
    typedef void(WINAPI * InitControls)();
    typedef HWND(WINAPI * CreateToolbar)(HWND, DWORD, UINT, int, HINSTANCE, UINT_PTR,
                                         const TBBUTTON*, int, int, int, int, int, UINT);
    ((InitControls)GetProcAddress(controls, "InitCommonControls"))();
    Step("InitCommonControls");
    TBBUTTON buttons[2] = {{0, 201, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
                           {1, 202, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0}};
    ((CreateToolbar)GetProcAddress(controls, "CreateToolbarEx"))(window, WS_CHILD | WS_VISIBLE | CCS_NODIVIDER | TBSTYLE_TOOLTIPS, 101, 2,
                    HINST_COMMCTRL, IDB_STD_SMALL_COLOR, buttons, 2, 0, 0, 18, 18, sizeof(TBBUTTON));
    Step("create the toolbar");
    HDC dc = GetDC(NULL);
    GetDeviceCaps(dc, DRIVERVERSION);
    GetDeviceCaps(dc, 94);
    GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(NULL, dc);
    Step("read the display state");
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    Step("show the tool window");
    notifyIcon(NIM_DELETE, &icon);
    DestroyWindow(window);
    std::ofstream out(file, std::ios::app);
    for (const auto& step : steps)
        out << step.second << " " << step.first << "\n";
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "child") == 0) {
        OneRound(argv[2]);
        return 0;
    }
    int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    char self[MAX_PATH], file[MAX_PATH], folder[MAX_PATH];
    GetModuleFileNameA(NULL, self, sizeof(self));
    GetTempPathA(sizeof(folder), folder);
    GetTempFileNameA(folder, "prf", 0, file);
    DeleteFileA(file);
    for (int round = 0; round <= rounds; ++round) {
        std::string line = std::string("\"") + self + "\" child \"" + file + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(self, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
            return 1;
        WaitForSingleObject(process.hProcess, 20000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        if (round == 0)
            DeleteFileA(file);  // the first, unmeasured, warms the caches
    }
    std::map<std::string, std::vector<double>> times;
    std::vector<std::string> order;
    std::ifstream in(file);
    double ms;
    std::string name;
    while (in >> ms && std::getline(in, name)) {
        name = name.substr(1);
        if (!times.count(name))
            order.push_back(name);
        times[name].push_back(ms);
    }
    in.close();
    DeleteFileA(file);
    double total = 0;
    std::printf("where NRXVGCHG's start-up calls spend their time (median of %d fresh processes)\n", rounds);
    for (const std::string& step : order) {
        double median = Median(times[step]);
        total += median;
        std::printf("  %7.2f ms  %s\n", median, step.c_str());
    }
    std::printf("  %7.2f ms  in all\n", total);
    return 0;
}
