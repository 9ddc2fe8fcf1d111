// Lets a test watch or fail one imported Win32 function of its own
// executable: while an ImportHook lives, the executable's import slot for
// that function points at a replacement, which may call the original.
#ifndef TESTBED_IMPORT_HOOK_H
#define TESTBED_IMPORT_HOOK_H

#include <windows.h>

namespace testbed {

class ImportHook {
public:
    // `dll` as the executable imports it ("ADVAPI32.dll"), case ignored.
    ImportHook(const char* dll, const char* function, void* replacement);
    ~ImportHook();
    bool installed() const { return slot_ != NULL; }
    // The function the slot held before, to be called through.
    template <typename Function>
    Function original() const { return (Function)original_; }

private:
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;
    void** slot_ = NULL;
    void* original_ = NULL;
};

}  // namespace testbed

#endif
