// Replaces one import slot of the test executable for a while.
#include "import_hook.h"

namespace testbed {

static void WriteSlot(void** slot, void* value)
{
    DWORD protection;
    VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &protection);
    *slot = value;
    VirtualProtect(slot, sizeof(void*), protection, &protection);
}

// The executable's import slot of `function` from `dll`; NULL when it has none.
static void** FindSlot(const char* dll, const char* function)
{
    BYTE* base = (BYTE*)GetModuleHandleA(NULL);
    IMAGE_NT_HEADERS* headers = (IMAGE_NT_HEADERS*)(base + ((IMAGE_DOS_HEADER*)base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (IMAGE_IMPORT_DESCRIPTOR* entry = (IMAGE_IMPORT_DESCRIPTOR*)(base + imports.VirtualAddress);
         entry->Name; ++entry) {
        if (lstrcmpiA((const char*)(base + entry->Name), dll) != 0)
            continue;
        IMAGE_THUNK_DATA* names = (IMAGE_THUNK_DATA*)(base + entry->OriginalFirstThunk);
        void** slots = (void**)(base + entry->FirstThunk);
        for (int i = 0; names[i].u1.AddressOfData; ++i) {
            if (IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal))
                continue;
            IMAGE_IMPORT_BY_NAME* name = (IMAGE_IMPORT_BY_NAME*)(base + names[i].u1.AddressOfData);
            if (lstrcmpA((const char*)name->Name, function) == 0)
                return &slots[i];
        }
    }
    return NULL;
}

ImportHook::ImportHook(const char* dll, const char* function, void* replacement)
    : slot_(FindSlot(dll, function))
{
    if (!slot_)
        return;
    original_ = *slot_;
    WriteSlot(slot_, replacement);
}

ImportHook::~ImportHook()
{
    if (slot_)
        WriteSlot(slot_, original_);
}

}  // namespace testbed
