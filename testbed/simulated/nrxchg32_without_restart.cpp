// An NRXCHG32.DLL that lacks the export RestartWindows (one of the other two
// is all it has), for tests of a caller's fall-back restart.
#include <windows.h>

extern "C" __declspec(dllexport) int WINAPI CheckQuickRes(void)
{
    return 0;
}
