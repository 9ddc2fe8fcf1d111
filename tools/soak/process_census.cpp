// Counting what a process holds under Wine (see process_census.h).
#include "process_census.h"

#include <psapi.h>
#include <winternl.h>

#include <vector>

namespace census {

namespace {

// One row of the GDI handle table (the same layout for 32- and 64-bit
// processes): a row is in use while its type is not 0.
#pragma pack(push, 1)
struct GdiTableRow {
    ULONGLONG object;
    USHORT ownerProcess, lock;
    USHORT unique;
    UCHAR type, flags;
    ULONGLONG user;
};
#pragma pack(pop)
const int GDI_TABLE_ROWS = 0x10000;
// Where the PEB keeps the table's address.
const SIZE_T PEB_GDI_TABLE_OFFSET = sizeof(void*) == 8 ? 0xF8 : 0x94;

// A row of the system's handle list (SystemHandleInformation).
struct SystemHandle {
    ULONG processId;
    BYTE objectType, flags;
    USHORT handle;
    void* object;
    ACCESS_MASK access;
};
const int SYSTEM_HANDLE_INFORMATION = 16;

typedef NTSTATUS(WINAPI* QueryProcess)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
typedef NTSTATUS(WINAPI* QuerySystem)(int, void*, ULONG, ULONG*);

template <typename Function>
Function NtFunction(const char* name)
{
    return (Function)(void*)GetProcAddress(GetModuleHandleA("ntdll.dll"), name);
}

int GdiObjects(HANDLE process)
{
    PROCESS_BASIC_INFORMATION basic;
    ULONG length;
    if (NtFunction<QueryProcess>("NtQueryInformationProcess")(process, ProcessBasicInformation, &basic,
                                                               sizeof(basic), &length) != 0)
        return -1;
    void* table = NULL;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, (char*)basic.PebBaseAddress + PEB_GDI_TABLE_OFFSET, &table, sizeof(table),
                           &read) || !table)
        return -1;
    std::vector<GdiTableRow> rows(GDI_TABLE_ROWS);
    if (!ReadProcessMemory(process, table, rows.data(), rows.size() * sizeof(GdiTableRow), &read))
        return -1;
    int count = 0;
    for (const GdiTableRow& row : rows)
        count += row.type != 0;
    return count;
}

int KernelHandles(DWORD processId)
{
    std::vector<char> buffer(1 << 20);
    ULONG length = 0;
    QuerySystem query = NtFunction<QuerySystem>("NtQuerySystemInformation");
    NTSTATUS status;
    while ((status = query(SYSTEM_HANDLE_INFORMATION, buffer.data(), (ULONG)buffer.size(), &length)) ==
           (NTSTATUS)0xC0000004L)  // STATUS_INFO_LENGTH_MISMATCH
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        return -1;
    ULONG rows = *(const ULONG*)buffer.data();
    const SystemHandle* handle = (const SystemHandle*)(buffer.data() + sizeof(void*));
    int count = 0;
    for (ULONG i = 0; i < rows; ++i)
        count += handle[i].processId == processId;
    return count;
}

struct WindowCount {
    DWORD processId;
    int count;
};

BOOL CALLBACK CountChild(HWND window, LPARAM parameter)
{
    ((WindowCount*)parameter)->count++;
    (void)window;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM parameter)
{
    WindowCount* windows = (WindowCount*)parameter;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == windows->processId) {
        windows->count++;
        EnumChildWindows(window, CountChild, parameter);
    }
    return TRUE;
}

int Windows(DWORD processId)
{
    WindowCount windows = {processId, 0};
    EnumWindows(CountTopLevel, (LPARAM)&windows);
    for (HWND window = NULL; (window = FindWindowExA(HWND_MESSAGE, window, NULL, NULL)) != NULL;)
        CountTopLevel(window, (LPARAM)&windows);
    return windows.count;
}

// Wine gives a new atom the lowest free slot from 0xC000 up, so the table
// ends where a long run of free slots begins (each look is a server call).
int GlobalAtoms()
{
    const UINT FREE_RUN_AT_THE_END = 256;
    int count = 0;
    char name[256];
    for (UINT atom = 0xC000, free = 0; atom <= 0xFFFF && free < FREE_RUN_AT_THE_END; ++atom) {
        bool used = GlobalGetAtomNameA((ATOM)atom, name, sizeof(name)) > 0;
        count += used;
        free = used ? 0 : free + 1;
    }
    return count;
}

void Memory(HANDLE process, Counts* counts)
{
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    if (!GetProcessMemoryInfo(process, &memory, sizeof(memory)))
        return;
    counts->privateBytes = (long long)memory.PagefileUsage;
    counts->workingSet = (long long)memory.WorkingSetSize;
}

// Runs `function` of the system DLL `dll` in `process` on `parameter`;
// system DLLs load at the same place in every process of one architecture.
bool RunThere(HANDLE process, const char* dll, const char* function, void* parameter)
{
    LPTHREAD_START_ROUTINE start = (LPTHREAD_START_ROUTINE)(void*)GetProcAddress(GetModuleHandleA(dll), function);
    HANDLE thread = CreateRemoteThread(process, NULL, 0, start, parameter, 0, NULL);
    if (!thread)
        return false;
    bool ended = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0;
    CloseHandle(thread);
    return ended;
}

// Loads the census library into `process` for a moment; its menus and icons.
bool CountInside(HANDLE process, DWORD processId, const std::string& library, Counts* counts)
{
    char name[RESULT_NAME_SIZE];
    ResultName(processId, name);
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, sizeof(InsideCounts), name);
    if (!mapping)
        return false;
    InsideCounts* result = (InsideCounts*)MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(InsideCounts));
    bool counted = false;
    void* path = VirtualAllocEx(process, NULL, library.size() + 1, MEM_COMMIT, PAGE_READWRITE);
    if (result && path && WriteProcessMemory(process, path, library.c_str(), library.size() + 1, NULL)) {
        ZeroMemory(result, sizeof(*result));
        counted = RunThere(process, "kernel32.dll", "LoadLibraryA", path) && result->processId == processId;
        if (counted) {
            counts->menus = result->menus;
            counts->icons = result->icons;
            RunThere(process, "kernel32.dll", "FreeLibrary", result->library);
        }
    }
    if (path)
        VirtualFreeEx(process, path, 0, MEM_RELEASE);
    if (result)
        UnmapViewOfFile(result);
    CloseHandle(mapping);
    return counted;
}

Counts Unknown()
{
    return Counts{-1, -1, -1, -1, -1, -1, -1, -1};
}

}  // namespace

Counts Take(HANDLE process, const std::string& censusLibrary)
{
    Counts counts = Unknown();
    DWORD processId = GetProcessId(process);
    // Memory first: loading the census library costs the process a little.
    Memory(process, &counts);
    counts.gdiObjects = GdiObjects(process);
    counts.windows = Windows(processId);
    counts.kernelHandles = KernelHandles(processId);
    counts.globalAtoms = GlobalAtoms();
    if (!censusLibrary.empty())
        CountInside(process, processId, censusLibrary, &counts);
    return counts;
}

Counts TakeOwn()
{
    Counts counts = Take(GetCurrentProcess(), "");
    counts.menus = MenusHere();
    counts.icons = IconsHere();
    return counts;
}

}  // namespace census
