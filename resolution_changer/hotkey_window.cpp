// Hidden windows that each carry one system-wide hotkey of a resolution slot.
#include "hotkey_window.h"
#include "mode_tables.h"
#include "shell_state.h"

#include <commctrl.h>

const char HOTKEY_WINDOW_CLASS[] = "NRXHOTKEYWND";

static const int EXTRA_SLOT_INDEX = 0;

struct HotkeyCreation {
    int slotIndex;
    int virtualKey;
    int modifiers;  // HOTKEYF_ bits
};

UINT HotkeyModifiers(int hotkeyFlags)
{
    UINT modifiers = 0;
    if (hotkeyFlags & HOTKEYF_ALT)
        modifiers |= MOD_ALT;
    if (hotkeyFlags & HOTKEYF_CONTROL)
        modifiers |= MOD_CONTROL;
    if (hotkeyFlags & HOTKEYF_SHIFT)
        modifiers |= MOD_SHIFT;
    return modifiers;  // HOTKEYF_EXT has no counterpart
}

static void OnCreate(HWND window, const CREATESTRUCTA* create)
{
    const HotkeyCreation* data = (const HotkeyCreation*)create->lpCreateParams;
    SetWindowLongA(window, EXTRA_SLOT_INDEX, data->slotIndex);
    // A combination another program holds simply leaves this slot without a hotkey.
    RegisterHotKey(window, data->slotIndex, HotkeyModifiers(data->modifiers), data->virtualKey);
    SendMessageA(window, WM_SETHOTKEY, data->modifiers * 256 + data->virtualKey, 0);
}

LRESULT CALLBACK HotkeyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window, (const CREATESTRUCTA*)lParam);
        break;
    case WM_HOTKEY:
        SendMessageA(GetWindow(window, GW_OWNER), WM_HOTKEY, wParam, lParam);
        break;
    case WM_DESTROY:
        UnregisterHotKey(window, GetWindowLongA(window, EXTRA_SLOT_INDEX));
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateHotkeyWindow(HWND toolWindow, int slotIndex, int hotkey)
{
    HotkeyCreation data = {slotIndex, hotkey & 0xFF, (hotkey >> 8) & 0xFF};
    return CreateWindowExA(0, HOTKEY_WINDOW_CLASS, NULL, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, toolWindow, NULL,
                           Shell.instance, &data);
}

bool CreateHotkeyWindows(HWND toolWindow)
{
    bool allCreated = true;
    for (int i = 0; i < ResolutionTable.count; ++i) {
        Shell.hotkeyWindows[i] = NULL;
        int hotkey = ResolutionTable.slots[i].hotkey;
        if (hotkey == 0)
            continue;
        Shell.hotkeyWindows[i] = CreateHotkeyWindow(toolWindow, i, hotkey);
        if (!Shell.hotkeyWindows[i])
            allCreated = false;
    }
    return allCreated;
}

// The handles are cleared so that a second shutdown run cannot destroy a
// window that has since been given the same handle.
void DestroyHotkeyWindows()
{
    for (int i = 0; i < MAX_SLOTS; ++i) {
        if (Shell.hotkeyWindows[i])
            DestroyWindow(Shell.hotkeyWindows[i]);
        Shell.hotkeyWindows[i] = NULL;
    }
}
