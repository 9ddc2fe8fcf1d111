// Run-time binding of NRXCHG32.DLL's RestartWindows, with the system's
// restart as the fall-back.
#include "restart_now.h"

typedef int(WINAPI* RestartWindowsFunction)(void);

static const char LIBRARY_NAME[] = "NRXCHG32.DLL";
static const char RESTART_EXPORT[] = "RestartWindows";

void RestartWindowsNow()
{
    // Found by the system's usual search: the program's folder first.
    HMODULE library = LoadLibraryA(LIBRARY_NAME);
    RestartWindowsFunction restart =
        library ? (RestartWindowsFunction)(void*)GetProcAddress(library, RESTART_EXPORT) : NULL;
    if (restart)
        restart();  // its result tells nothing the caller could act on
    if (library)
        FreeLibrary(library);
    if (!restart)
        ExitWindowsEx(FALLBACK_RESTART_FLAGS, 0);
}
