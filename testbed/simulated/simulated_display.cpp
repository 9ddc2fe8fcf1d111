// The display seam of the resolution changer, answered by a simulated adapter.
#include "simulated_display.h"
#include "display_seam.h"

namespace simulated {

static Adapter adapter;

Adapter& TheAdapter()
{
    return adapter;
}

void Reset()
{
    adapter = Adapter();
}

void AddMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD frequency)
{
    DEVMODEA mode;
    ZeroMemory(&mode, sizeof(mode));
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmBitsPerPel = bitsPerPixel;
    mode.dmDisplayFrequency = frequency;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL | DM_DISPLAYFREQUENCY;
    adapter.modes.push_back(mode);
}

static BOOL CALLBACK AnnounceChange(HWND window, LPARAM)
{
    SendMessageA(window, WM_DISPLAYCHANGE, adapter.bitsPerPixel,
                 MAKELPARAM(adapter.screenWidth, adapter.screenHeight));
    return TRUE;
}

static void Apply(const DEVMODEA& mode)
{
    if (mode.dmFields & DM_PELSWIDTH)
        adapter.screenWidth = mode.dmPelsWidth;
    if (mode.dmFields & DM_PELSHEIGHT)
        adapter.screenHeight = mode.dmPelsHeight;
    if (mode.dmFields & DM_BITSPERPEL)
        adapter.bitsPerPixel = mode.dmBitsPerPel;
    EnumThreadWindows(GetCurrentThreadId(), AnnounceChange, 0);
}

}  // namespace simulated

namespace display {

using simulated::adapter;

BOOL EnumMode(DWORD modeNumber, DEVMODEA* mode)
{
    // Windows reads the caller's dmSize to know what it may fill.
    if (modeNumber >= adapter.modes.size() || mode->dmSize != sizeof(DEVMODEA))
        return FALSE;
    *mode = adapter.modes[modeNumber];
    return TRUE;
}

LONG ChangeMode(DEVMODEA* mode, DWORD flags)
{
    adapter.calls.push_back(
        {mode->dmPelsWidth, mode->dmPelsHeight, mode->dmBitsPerPel, mode->dmFields, flags});
    auto found = adapter.results.find(flags);
    LONG result = found == adapter.results.end() ? DISP_CHANGE_SUCCESSFUL : found->second;
    if (result == DISP_CHANGE_SUCCESSFUL && (flags & CDS_TEST) == 0)
        simulated::Apply(*mode);
    return result;
}

int ScreenWidth()
{
    return adapter.screenWidth;
}

int ScreenHeight()
{
    return adapter.screenHeight;
}

int BitsPerPixel(HWND)
{
    return adapter.bitsPerPixel;
}

bool DriverIsNewer()
{
    return adapter.driverIsNewer;
}

}  // namespace display
