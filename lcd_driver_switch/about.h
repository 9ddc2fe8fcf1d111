// The about box, dialog 103.
#ifndef ROTSEL_ABOUT_H
#define ROTSEL_ABOUT_H

#include <windows.h>

// Modally, owned by `owner`, centred on the screen.
INT_PTR ShowAboutBox(HWND owner);

#endif
