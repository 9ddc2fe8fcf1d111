// The about box, dialog 103.
#ifndef PIVOTER_ABOUT_H
#define PIVOTER_ABOUT_H

#include <windows.h>

INT_PTR ShowAboutBox(HWND owner);

#endif
