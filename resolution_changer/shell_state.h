// Process-wide state of the program shell.
#ifndef NRXVGCHG_SHELL_STATE_H
#define NRXVGCHG_SHELL_STATE_H

#include <windows.h>
#include "mode_tables.h"

struct ShellState {
    HINSTANCE instance;
    HWND toolWindow;
    int toolWindowVisible;   // 1 while shown; stored inverted as "DefaultIconic"
    int trayDoubleClicked;   // swallows the button-up that ends a double click
    HWND toolbar;
    HWND hotkeyWindows[MAX_SLOTS];
    char helpFilePath[MAX_PATH];
    int quickChangeAvailable;
};

extern ShellState Shell;

#endif
