// Hidden windows that each carry one system-wide hotkey of a resolution slot.
#ifndef NRXVGCHG_HOTKEY_WINDOW_H
#define NRXVGCHG_HOTKEY_WINDOW_H

#include <windows.h>

extern const char HOTKEY_WINDOW_CLASS[];

LRESULT CALLBACK HotkeyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// A hidden window owned by the tool window that registers `hotkey` (hotkey
// control encoding) with id `slotIndex`; NULL when it cannot be created.
HWND CreateHotkeyWindow(HWND toolWindow, int slotIndex, int hotkey);
// RegisterHotKey modifiers for the hotkey control's HOTKEYF_ bits.
UINT HotkeyModifiers(int hotkeyFlags);
// Creates the hotkey windows of every slot that has a hotkey; returns false
// at the first that cannot be created (the others stay).
bool CreateHotkeyWindows(HWND toolWindow);
void DestroyHotkeyWindows();

#endif
