// Registry helpers for tests.
#include "scratch_registry.h"

namespace testreg {

static const HKEY PREDEFINED[3] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_DYN_DATA};
static const char* const PREDEFINED_NAMES[3] = {"HKCU", "HKLM", "HKDD"};

ScratchRegistry::ScratchRegistry()
{
    static int serial = 0;
    root_ = "Software\\TestScratch\\" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(++serial);
    for (int i = 0; i < 3; ++i) {
        std::string path = root_ + "\\" + PREDEFINED_NAMES[i];
        RegCreateKeyA(HKEY_CURRENT_USER, path.c_str(), &keys_[i]);
    }
    for (int i = 0; i < 3; ++i)
        RegOverridePredefKey(PREDEFINED[i], keys_[i]);
}

ScratchRegistry::~ScratchRegistry()
{
    for (int i = 0; i < 3; ++i) {
        RegOverridePredefKey(PREDEFINED[i], NULL);
        RegCloseKey(keys_[i]);
    }
    DeleteTree(HKEY_CURRENT_USER, root_.c_str());
}

std::string Value::text() const
{
    std::string result(data.begin(), data.end());
    return result.substr(0, result.find('\0'));
}

Value Read(HKEY root, const char* key, const char* name)
{
    Value value;
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(opened, name, NULL, &value.type, NULL, &size) == ERROR_SUCCESS) {
        value.data.resize(size);
        if (RegQueryValueExA(opened, name, NULL, &value.type, value.data.data(), &size) == ERROR_SUCCESS) {
            value.data.resize(size);
            value.present = true;
        }
    }
    RegCloseKey(opened);
    return value;
}

bool Write(HKEY root, const char* key, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY opened;
    if (RegCreateKeyA(root, key, &opened) != ERROR_SUCCESS)
        return false;
    bool written = RegSetValueExA(opened, name, 0, type, (const BYTE*)data, size) == ERROR_SUCCESS;
    RegCloseKey(opened);
    return written;
}

bool WriteString(HKEY root, const char* key, const char* name, const std::string& text)
{
    return Write(root, key, name, REG_SZ, text.c_str(), (DWORD)text.size() + 1);
}

bool WriteDword(HKEY root, const char* key, const char* name, DWORD value)
{
    return Write(root, key, name, REG_DWORD, &value, sizeof(value));
}

bool KeyExists(HKEY root, const char* key)
{
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

// Works below open handles, so that a name as long as a key name may be
// never has to fit into a path; a child that cannot be removed ends the loop.
static void DeleteChildren(HKEY key)
{
    char child[256];
    while (RegEnumKeyA(key, 0, child, sizeof(child)) == ERROR_SUCCESS) {
        HKEY opened;
        if (RegOpenKeyExA(key, child, 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS)
            break;
        DeleteChildren(opened);
        RegCloseKey(opened);
        if (RegDeleteKeyA(key, child) != ERROR_SUCCESS)
            break;
    }
}

void DeleteTree(HKEY root, const char* key)
{
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS)
        return;
    DeleteChildren(opened);
    RegCloseKey(opened);
    RegDeleteKeyA(root, key);
}

std::vector<std::string> ValueNames(HKEY root, const char* key)
{
    std::vector<std::string> names;
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof(name);
        if (RegEnumValueA(opened, i, name, &size, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        names.push_back(name);
    }
    RegCloseKey(opened);
    return names;
}

}  // namespace testreg
