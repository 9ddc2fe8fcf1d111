// A simulated display adapter behind the resolution changer's display seam:
// an exact mode list, exact results per ChangeDisplaySettingsA flag set, and
// a record of every call. Successful changes alter the simulated screen and
// are announced with WM_DISPLAYCHANGE to the calling thread's windows.
#ifndef TESTBED_SIMULATED_DISPLAY_H
#define TESTBED_SIMULATED_DISPLAY_H

#include <windows.h>

#include <map>
#include <vector>

namespace simulated {

struct ChangeCall {
    DWORD width;
    DWORD height;
    DWORD bitsPerPixel;
    DWORD fields;
    DWORD flags;
};

struct Adapter {
    std::vector<DEVMODEA> modes;
    int screenWidth = 1024;
    int screenHeight = 768;
    int bitsPerPixel = 32;
    bool driverIsNewer = true;
    std::map<DWORD, LONG> results;  // by flags; DISP_CHANGE_SUCCESSFUL when absent
    std::vector<ChangeCall> calls;
};

// The adapter the seam uses; Reset gives a 1024x768x32 screen with no modes.
Adapter& TheAdapter();
void Reset();
void AddMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD frequency = 60);

}  // namespace simulated

#endif
