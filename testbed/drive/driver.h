// Drives real programs the way a user would, from another process in the
// same Wine desktop: start them, find their windows, read texts (cp932),
// click, dismiss boxes, wait for them to end.
#ifndef TESTBED_DRIVER_H
#define TESTBED_DRIVER_H

#include <windows.h>

#include <string>
#include <vector>

namespace driver {

const DWORD DEFAULT_TIMEOUT = 5000;

class Program {
public:
    // Starts `path` with its own folder as the current directory.
    explicit Program(const std::string& path);
    // Starts `path` with `currentDirectory` as its current directory.
    Program(const std::string& path, const std::string& currentDirectory);
    // Ends the program if it still runs: WM_CLOSE to its windows, then termination.
    ~Program();
    bool started() const { return process_.hProcess != NULL; }
    DWORD id() const { return process_.dwProcessId; }
    // The exit code, or -1 when it still runs after `timeout` ms.
    int WaitForExit(DWORD timeout = DEFAULT_TIMEOUT);
    // Waits until the program has done its start-up and waits for input.
    bool WaitUntilIdle(DWORD timeout = DEFAULT_TIMEOUT);
    void End();

private:
    PROCESS_INFORMATION process_;
};

// Top-level windows of process `processId` of `className` (and `title`
// unless NULL), visible or not.
std::vector<HWND> ProcessWindows(DWORD processId, const char* className, const char* title = NULL);
// Waits up to `timeout` ms for such a window; NULL when none came.
HWND WaitForWindow(DWORD processId, const char* className, const char* title,
                   DWORD timeout = DEFAULT_TIMEOUT);
// A dialog or message box ("#32770") with that title.
HWND WaitForDialog(DWORD processId, const char* title, DWORD timeout = DEFAULT_TIMEOUT);
// Waits until the window is gone.
bool WaitUntilGone(HWND window, DWORD timeout = DEFAULT_TIMEOUT);
// Waits until `condition` holds, polling every 20 ms.
template <typename Condition>
bool WaitFor(Condition condition, DWORD timeout = DEFAULT_TIMEOUT)
{
    for (DWORD start = GetTickCount(); !condition(); Sleep(20))
        if (GetTickCount() - start > timeout)
            return false;
    return true;
}

std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int id);
// The text of a message box (its static 0xFFFF).
std::string MessageBoxText(HWND box);
// Posts WM_COMMAND `id` (a click that may open a modal box must be posted).
bool PostCommand(HWND window, int id);

// Whether another window holds the hotkey `modifiers`+`key`: this process
// cannot take it.
bool HotkeyTaken(UINT modifiers, UINT key);

// Presses Ctrl+Alt+`key` on the keyboard input stream, as a user would,
// again where a focus change took the modifiers away before the key; false
// when the system did not take the key presses.
bool PressCtrlAlt(WORD key);

// The screen size of the desktop, and setting it (32 bits per pixel).
bool ScreenIs(int width, int height);
void SetScreen(int width, int height);
// The process's menu window that is open now; NULL when none is.
HWND VisibleMenu(DWORD processId);

// The notification-area icon `id` of `owner`: whether the shell shows it (a
// modification of nothing succeeds only for an icon it has); removing it
// from outside, as a shell that restarts loses it; and the broadcast of a
// shell whose taskbar has been created anew.
bool TrayIconShown(HWND owner, UINT id);
void RemoveTrayIcon(HWND owner, UINT id);
void AnnounceTaskbarCreated();
// A real click of the left (or right) button on the right-most place of the
// notification area, where the only icon sits.
bool ClickNotificationArea(bool rightButton = false);

// The end of the Windows session as a program may meet it: WM_QUERYENDSESSION
// (its answer is returned; -1 when none came), with a WM_CLOSE queued before
// the program can take anything it posts itself, so that its WM_DESTROY
// comes after the query.
LRESULT QueryEndSessionThenClose(HWND window);

// Windows of a message box's buttons, by id, in creation order.
std::vector<int> ButtonIds(HWND dialog);

}  // namespace driver

#endif
