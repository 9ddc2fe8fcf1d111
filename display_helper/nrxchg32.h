// The display helper library NRXCHG32.DLL: the three exports its callers use.
#ifndef NRXCHG32_H
#define NRXCHG32_H

#include <windows.h>

#ifdef NRXCHG32_BUILDING
#define NRXCHG32_API __declspec(dllexport)
#else
#define NRXCHG32_API __declspec(dllimport)
#endif

extern "C" {
// Starts a restart of Windows and returns while it is under way.
NRXCHG32_API int WINAPI RestartWindows(void);
// Non-zero when colour-depth changes can be made live through QuickResChange.
NRXCHG32_API int WINAPI CheckQuickRes(void);
// Sets the mode "<width>x<height>x<bits>"; non-zero once it is in effect and
// WM_DISPLAYCHANGE has reached the caller's windows.
NRXCHG32_API int WINAPI QuickResChange(const char* mode);
}

#endif
