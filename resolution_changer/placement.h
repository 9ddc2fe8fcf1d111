// The tool window's place: its normal (restored) rectangle, kept wholly on
// the screen whatever rectangle it was given or the screen became.
#ifndef NRXVGCHG_PLACEMENT_H
#define NRXVGCHG_PLACEMENT_H

#include <windows.h>

// Moves a `width` x `height` rectangle at (*left, *top) so that it lies
// inside the screen on all four edges; one larger than the screen keeps its
// left and top edges on it.
void PullInsideScreen(int* left, int* top, int width, int height);
// The rectangle the window has when neither minimised nor maximised: the one
// to store, scale and bring back.
RECT NormalRect(HWND window);
// Gives the window that normal rectangle; a minimised window stays
// minimised (and a hidden one hidden) and comes back there when restored.
void SetNormalRect(HWND window, const RECT& r);
// Pulls the window's normal rectangle inside the screen.
void KeepWindowOnScreen(HWND window);

#endif
