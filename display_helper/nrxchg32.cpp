// Stand-in for the maker's display helper library NRXCHG32.DLL.
#define NRXCHG32_BUILDING
#include "nrxchg32.h"
#include "mode_text.h"

// Windows NT needs the shutdown privilege before ExitWindowsEx may restart.
static void EnableShutdownPrivilege()
{
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    TOKEN_PRIVILEGES privileges;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueA(NULL, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, NULL, NULL);
    CloseHandle(token);
}

static bool IsWindowsNt(OSVERSIONINFOA* version)
{
    version->dwOSVersionInfoSize = sizeof(*version);
    if (!GetVersionExA(version))
        return false;
    return version->dwPlatformId == VER_PLATFORM_WIN32_NT;
}

extern "C" int WINAPI RestartWindows(void)
{
    OSVERSIONINFOA version;
    if (IsWindowsNt(&version))
        EnableShutdownPrivilege();
    // ExitWindowsEx only starts the restart; the caller carries on meanwhile.
    return ExitWindowsEx(EWX_REBOOT, 0);
}

extern "C" int WINAPI CheckQuickRes(void)
{
    OSVERSIONINFOA version;
    if (IsWindowsNt(&version))
        return version.dwMajorVersion >= 5;
    if (version.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS)
        return 0;
    // Windows 98 (4.10) and later change colour depth without a restart.
    return version.dwMajorVersion > 4 || version.dwMinorVersion >= 10;
}

static bool ModeInEffect(const ModeText& wanted)
{
    DEVMODEA current;
    ZeroMemory(&current, sizeof(current));
    current.dmSize = sizeof(current);
    if (!EnumDisplaySettingsA(NULL, ENUM_CURRENT_SETTINGS, &current))
        return false;
    return (int)current.dmPelsWidth == wanted.width &&
           (int)current.dmPelsHeight == wanted.height &&
           (int)current.dmBitsPerPel == wanted.bitsPerPixel;
}

extern "C" int WINAPI QuickResChange(const char* text)
{
    ModeText wanted;
    if (!ParseModeText(text, &wanted))
        return 0;
    // The caller has normally set the mode already: asking the system again
    // would only make it announce the change a second time.
    if (!ModeInEffect(wanted)) {
        DEVMODEA mode;
        ZeroMemory(&mode, sizeof(mode));
        mode.dmSize = sizeof(mode);
        mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
        mode.dmPelsWidth = wanted.width;
        mode.dmPelsHeight = wanted.height;
        mode.dmBitsPerPel = wanted.bitsPerPixel;
        if (ChangeDisplaySettingsA(&mode, 0) != DISP_CHANGE_SUCCESSFUL || !ModeInEffect(wanted))
            return 0;
    }
    // The caller reads the new mode as soon as we return, so its own windows
    // get the news synchronously; every other program's window gets it
    // without our waiting on it (one that is busy must not hold us up).
    SendNotifyMessageA(HWND_BROADCAST, WM_DISPLAYCHANGE, wanted.bitsPerPixel,
                       MAKELPARAM(wanted.width, wanted.height));
    return 1;
}
