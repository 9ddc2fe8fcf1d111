// CENSUS.DLL: loaded into a process by census::Take, it counts that
// process's menus and icons into the named memory the counter made, with
// its own module for the counter to unload. (A library that refuses to
// load leaves two handles behind under Wine; one unloaded leaves nothing.)
#include "process_census.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE library, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    DWORD self = GetCurrentProcessId();
    char name[census::RESULT_NAME_SIZE];
    census::ResultName(self, name);
    HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name);
    if (mapping) {
        census::InsideCounts* result =
            (census::InsideCounts*)MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(census::InsideCounts));
        if (result) {
            result->menus = census::MenusHere();
            result->icons = census::IconsHere();
            result->library = library;
            result->processId = self;  // last: the counts are complete
            UnmapViewOfFile(result);
        }
        CloseHandle(mapping);
    }
    return TRUE;
}
