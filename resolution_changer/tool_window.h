// The small always-on-top tool window: toolbar, commands and shutdown.
#ifndef NRXVGCHG_TOOL_WINDOW_H
#define NRXVGCHG_TOOL_WINDOW_H

#include <windows.h>

extern const char TOOL_WINDOW_CLASS[];

LRESULT CALLBACK ToolWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Greys the cycle button unless some slot is both enabled and available.
void UpdateCycleButton();

#endif
