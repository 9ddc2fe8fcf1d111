// The entry point of every shipped DLL, in place of the C runtime's.
#include <windows.h>

#include "static_constructors.h"

extern "C" BOOL WINAPI LibraryEntry(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        RunStaticConstructors();
    return TRUE;
}
