// What a process holds, counted from outside it as far as Wine lets: its
// memory, its GDI objects (from the GDI handle table its PEB points to), its
// windows, its menus and icons (counted inside it by CENSUS.DLL, loaded into
// it for a moment), its kernel handles (the system's handle list), and the
// global atoms every process shares (DDE string handles are such atoms).
// Wine's GetGuiResources and GetProcessHandleCount answer 0, hence all this.
#ifndef TESTBED_PROCESS_CENSUS_H
#define TESTBED_PROCESS_CENSUS_H

#include <windows.h>

#include <string>

namespace census {

// -1 where a figure could not be had.
struct Counts {
    long long privateBytes;  // committed memory of its own (the page-file usage)
    long long workingSet;
    int gdiObjects;
    int windows;  // top-level, child and message-only
    int menus;
    int icons;  // icons and cursors
    int kernelHandles;
    int globalAtoms;  // of the whole session
};

// The figures of `process` (opened with PROCESS_ALL_ACCESS). Its menus and
// icons are counted by loading `censusLibrary` into it; without one they are -1.
Counts Take(HANDLE process, const std::string& censusLibrary);
// The figures of this process, menus and icons counted directly.
Counts TakeOwn();

// Used by CENSUS.DLL inside the counted process: menus and icons alive there.
int MenusHere();
int IconsHere();
// The named memory where CENSUS.DLL leaves what it counted in process
// `processId`: the counts, and its own module, which the counter unloads.
const int RESULT_NAME_SIZE = 32;
void ResultName(DWORD processId, char (&name)[RESULT_NAME_SIZE]);
struct InsideCounts {
    DWORD processId;
    int menus;
    int icons;
    HMODULE library;
};

}  // namespace census

#endif
