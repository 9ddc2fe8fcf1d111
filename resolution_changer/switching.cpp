// Every change of display mode: test, confirmation, fall-back and restart.
#include "switching.h"

int SwitchDisplayMode(HWND, int, int, int, int)
{
    return 0;
}

int SwitchAndMoveWindow(HWND, int, int, int, int)
{
    return 0;
}

void SelectModeFromMenu(int)
{
}

int CycleResolution(HWND)
{
    return 0;
}

void HotkeySwitch(int)
{
}
