// Registry helpers for tests: a private scratch root per test (the predefined
// keys of this process remapped below HKCU\Software\TestScratch), and small
// readers and writers for setting up and checking values.
#ifndef TESTBED_SCRATCH_REGISTRY_H
#define TESTBED_SCRATCH_REGISTRY_H

#include <windows.h>

#include <string>
#include <vector>

namespace testreg {

// While alive, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE and HKEY_DYN_DATA of
// this process are empty scratch keys; the scratch tree goes at the end.
class ScratchRegistry {
public:
    ScratchRegistry();
    ~ScratchRegistry();

private:
    std::string root_;
    HKEY keys_[3];
};

struct Value {
    bool present = false;
    DWORD type = 0;
    std::vector<BYTE> data;
    std::string text() const;  // the data up to the first NUL
};

Value Read(HKEY root, const char* key, const char* name);
bool Write(HKEY root, const char* key, const char* name, DWORD type, const void* data, DWORD size);
bool WriteString(HKEY root, const char* key, const char* name, const std::string& text);
bool WriteDword(HKEY root, const char* key, const char* name, DWORD value);
bool KeyExists(HKEY root, const char* key);
// Removes a key with its subkeys.
void DeleteTree(HKEY root, const char* key);
// Names of the values under a key.
std::vector<std::string> ValueNames(HKEY root, const char* key);

}  // namespace testreg

#endif
