// Every change of display mode: test, confirmation, fall-back and restart.
#ifndef NRXVGCHG_SWITCHING_H
#define NRXVGCHG_SWITCHING_H

#include <windows.h>

// 1 when the mode took effect without a restart, else 0. Zero arguments mean
// the current value; `confirm` asks the user before a change.
int SwitchDisplayMode(HWND owner, int width, int height, int bitsPerPixel, int confirm);
// SwitchDisplayMode, then the tool window keeps its relative place.
int SwitchAndMoveWindow(HWND toolWindow, int width, int height, int bitsPerPixel, int confirm);
// Menu command for ModeList record `index`, with the timed confirmation.
void SelectModeFromMenu(int index);
// Steps to the next smaller enabled resolution; the result of the switch.
int CycleResolution(HWND toolWindow);
// Switches to the resolution of a slot's hotkey.
void HotkeySwitch(int slotIndex);

#endif
