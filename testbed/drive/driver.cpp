// Drives real programs from another process in the same Wine desktop.
#include "driver.h"

#include <shellapi.h>

namespace driver {

Program::Program(const std::string& path) : Program(path, path.substr(0, path.find_last_of("\\/")))
{
}

Program::Program(const std::string& path, const std::string& folder)
{
    ZeroMemory(&process_, sizeof(process_));
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + path + "\"";
    if (!CreateProcessA(path.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL,
                        folder.c_str(), &startup, &process_))
        ZeroMemory(&process_, sizeof(process_));
}

Program::~Program()
{
    End();
}

int Program::WaitForExit(DWORD timeout)
{
    if (!started() || WaitForSingleObject(process_.hProcess, timeout) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return (int)code;
}

bool Program::WaitUntilIdle(DWORD timeout)
{
    return started() && WaitForInputIdle(process_.hProcess, timeout) == 0;
}

void Program::End()
{
    if (!started())
        return;
    if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) {
        for (HWND window : ProcessWindows(id(), NULL))
            PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 3000) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 3000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    ZeroMemory(&process_, sizeof(process_));
}

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* title;
    std::vector<HWND> found;
};

static BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter)
{
    WindowSearch* search = (WindowSearch*)parameter;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId)
        return TRUE;
    char text[256];
    if (search->className) {
        GetClassNameA(window, text, sizeof(text));
        if (lstrcmpA(text, search->className) != 0)
            return TRUE;
    }
    if (search->title && WindowText(window) != search->title)
        return TRUE;
    search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> ProcessWindows(DWORD processId, const char* className, const char* title)
{
    WindowSearch search = {processId, className, title, {}};
    EnumWindows(CollectWindow, (LPARAM)&search);
    return search.found;
}

HWND WaitForWindow(DWORD processId, const char* className, const char* title, DWORD timeout)
{
    HWND found = NULL;
    WaitFor([&] {
        std::vector<HWND> windows = ProcessWindows(processId, className, title);
        found = windows.empty() ? NULL : windows.front();
        return found != NULL;
    }, timeout);
    return found;
}

HWND WaitForDialog(DWORD processId, const char* title, DWORD timeout)
{
    return WaitForWindow(processId, "#32770", title, timeout);
}

bool WaitUntilGone(HWND window, DWORD timeout)
{
    return WaitFor([&] { return !IsWindow(window); }, timeout);
}

std::string WindowText(HWND window)
{
    char text[1024];
    int length = GetWindowTextA(window, text, sizeof(text));
    return std::string(text, length > 0 ? length : 0);
}

std::string ControlText(HWND dialog, int id)
{
    char text[1024];
    UINT length = GetDlgItemTextA(dialog, id, text, sizeof(text));
    return std::string(text, length);
}

std::string MessageBoxText(HWND box)
{
    return ControlText(box, 0xFFFF);
}

bool PostCommand(HWND window, int id)
{
    return window && PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

bool HotkeyTaken(UINT modifiers, UINT key)
{
    const int PROBE = 0xB000;
    if (!RegisterHotKey(NULL, PROBE, modifiers, key))
        return true;
    UnregisterHotKey(NULL, PROBE);
    return false;
}

namespace {

bool SendKeys(const WORD (*order)[2], int count)
{
    INPUT keys[3] = {};
    for (int i = 0; i < count; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = order[i][0];
        keys[i].ki.dwFlags = order[i][1];
    }
    return SendInput(count, keys, sizeof(INPUT)) == (UINT)count;
}

struct HeldKeys {
    WORD key;
    bool control, alt, pressed;
};

// Read on a thread of its own: a thread's first look at the asynchronous
// key state asks the server, later ones within 50 ms may answer "up" from
// a copy.
DWORD WINAPI ReadHeldKeys(void* parameter)
{
    HeldKeys* held = (HeldKeys*)parameter;
    held->pressed = GetAsyncKeyState(held->key) < 0;
    held->control = GetAsyncKeyState(VK_CONTROL) < 0;
    held->alt = GetAsyncKeyState(VK_MENU) < 0;
    return 0;
}

HeldKeys KeysHeldNow(WORD key)
{
    HeldKeys held = {key, false, false, false};
    HANDLE thread = CreateThread(NULL, 0, ReadHeldKeys, &held, 0, NULL);
    if (thread) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    return held;
}

}  // namespace

// Wine sets its key state to the X server's whenever one of its windows gets
// the X focus, and X never saw these presses: a focus change that falls
// between the modifiers and the key lets the modifiers go, and the
// combination never happened. Then the key is down without them (after the
// key, it would be up as well), and the combination is pressed again.
bool PressCtrlAlt(WORD key)
{
    const WORD down[3][2] = {{VK_CONTROL, 0}, {VK_MENU, 0}, {key, 0}};
    const WORD up[3][2] = {{key, KEYEVENTF_KEYUP}, {VK_MENU, KEYEVENTF_KEYUP}, {VK_CONTROL, KEYEVENTF_KEYUP}};
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (!SendKeys(down, 3))
            return false;
        HeldKeys held = KeysHeldNow(key);
        if (!SendKeys(up, 3))
            return false;
        if (!held.pressed || (held.control && held.alt))
            return true;
    }
    return false;
}

bool ScreenIs(int width, int height)
{
    return GetSystemMetrics(SM_CXSCREEN) == width && GetSystemMetrics(SM_CYSCREEN) == height;
}

void SetScreen(int width, int height)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmBitsPerPel = 32;
    ChangeDisplaySettingsA(&mode, 0);
}

HWND VisibleMenu(DWORD processId)
{
    for (HWND menu : ProcessWindows(processId, "#32768"))
        if (IsWindowVisible(menu))
            return menu;
    return NULL;
}

static NOTIFYICONDATAA IconOf(HWND owner, UINT id)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = 88;  // the classic size every shell accepts
    data.hWnd = owner;
    data.uID = id;
    return data;
}

bool TrayIconShown(HWND owner, UINT id)
{
    NOTIFYICONDATAA data = IconOf(owner, id);
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

void RemoveTrayIcon(HWND owner, UINT id)
{
    NOTIFYICONDATAA data = IconOf(owner, id);
    Shell_NotifyIconA(NIM_DELETE, &data);
}

void AnnounceTaskbarCreated()
{
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
}

bool ClickNotificationArea(bool rightButton)
{
    // The taskbar's right end: the first icon sits 11 pixels in from both edges.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 11, GetSystemMetrics(SM_CYSCREEN) - 11);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    return SendInput(2, clicks, sizeof(INPUT)) == 2;
}

struct SentAnswer {
    bool came;
    LRESULT result;
};

static VOID CALLBACK TakeAnswer(HWND, UINT, ULONG_PTR data, LRESULT result)
{
    SentAnswer* answer = (SentAnswer*)data;
    answer->came = true;
    answer->result = result;
}

LRESULT QueryEndSessionThenClose(HWND window)
{
    // While the program's thread is held, both messages are queued; it then
    // takes the sent one first, the posted one next, and only then its own
    // WM_QUIT, which waits for the posted messages.
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(window, NULL));
    if (!thread)
        return -1;
    SuspendThread(thread);
    PostMessageA(window, WM_CLOSE, 0, 0);
    SentAnswer answer = {false, -1};
    SendMessageCallbackA(window, WM_QUERYENDSESSION, 0, 0, TakeAnswer, (ULONG_PTR)&answer);
    ResumeThread(thread);
    CloseHandle(thread);
    WaitFor([&] {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        return answer.came;
    });
    return answer.result;
}

static BOOL CALLBACK CollectButton(HWND child, LPARAM parameter)
{
    char className[32];
    GetClassNameA(child, className, sizeof(className));
    if (lstrcmpiA(className, "Button") == 0)
        ((std::vector<int>*)parameter)->push_back(GetDlgCtrlID(child));
    return TRUE;
}

std::vector<int> ButtonIds(HWND dialog)
{
    std::vector<int> ids;
    EnumChildWindows(dialog, CollectButton, (LPARAM)&ids);
    return ids;
}

}  // namespace driver
