// What the same-work baselines share.
#include "same_work.h"

#include <shellapi.h>

namespace same_work {

void RegisterWindowClass(const char* name, WNDPROC procedure, UINT style, int windowExtra, HICON icon,
                         HCURSOR cursor, int background)
{
    WNDCLASSA windowClass;
    ZeroMemory(&windowClass, sizeof(windowClass));
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = windowExtra;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hIcon = icon;
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = (HBRUSH)(INT_PTR)(background + 1);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

void TrayIcon(DWORD message, HWND window, UINT id, UINT callbackMessage, int iconResource)
{
    NOTIFYICONDATAA data;
    ZeroMemory(&data, sizeof(data));
    data.cbSize = 88;  // what every shell since Windows 95 accepts
    data.hWnd = window;
    data.uID = id;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    data.hIcon = LoadIconA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(iconResource));
    lstrcpynA(data.szTip, "same work", 64);
    Shell_NotifyIconA(message, &data);
}

int RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return (int)message.wParam;
}

}  // namespace same_work
