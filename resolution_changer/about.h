// The about box.
#ifndef NRXVGCHG_ABOUT_H
#define NRXVGCHG_ABOUT_H

#include <windows.h>

INT_PTR ShowAboutBox(HWND owner);

#endif
