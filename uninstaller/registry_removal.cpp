// Registry helpers of the uninstall.
#include "registry_removal.h"
#include "ascii_text.h"
#include "uninstaller_state.h"

// The first subkey of an open key: ERROR_SUCCESS with its name, or why not.
static LONG FirstSubkey(HKEY key, char* name, DWORD size)
{
    DWORD length = size;
    return RegEnumKeyExA(key, 0, name, &length, NULL, NULL, NULL, NULL);
}

// One pass: from the open root\path, follows the first subkey of every level
// down to a key without subkeys and deletes that one. Closes `key`. False
// when the removal has to end.
static bool DeleteDeepestFirstKey(HKEY root, const char* path, HKEY key)
{
    char working[PATH_SIZE];
    if (!CopyText(working, sizeof(working), path)) {
        RegCloseKey(key);
        return false;
    }
    for (;;) {
        char name[PATH_SIZE];
        LONG result = FirstSubkey(key, name, sizeof(name));
        RegCloseKey(key);
        if (result == ERROR_NO_MORE_ITEMS)
            // A key that will not go would be found again by every later pass.
            return RegDeleteKeyA(root, working) == ERROR_SUCCESS;
        if (result != ERROR_SUCCESS)
            return false;
        // A path that does not fit is never cut into another key's path.
        if (!AppendText(working, sizeof(working), "\\") || !AppendText(working, sizeof(working), name))
            return false;
        if (RegOpenKeyExA(root, working, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return false;
    }
}

void DeleteRegistryTree(HKEY root, const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    for (;;) {
        if (!DeleteDeepestFirstKey(root, path, key))
            return;
        // Gone: the given key itself had no subkeys left and was the one deleted.
        if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return;
        char name[PATH_SIZE];
        LONG result = FirstSubkey(key, name, sizeof(name));
        if (result == ERROR_NO_MORE_ITEMS) {
            RegCloseKey(key);
            RegDeleteKeyA(root, path);
            return;
        }
        if (result != ERROR_SUCCESS) {
            RegCloseKey(key);
            return;
        }
    }
}

bool ReadRegistryString(HKEY root, const char* path, const char* name, char* buffer, int size)
{
    if (size > REGISTRY_TEXT_MAX)
        size = REGISTRY_TEXT_MAX;
    HKEY key;
    if (size <= 0 || RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return false;
    // Read aside, so that a failed or oversize read leaves the caller's text alone.
    char data[REGISTRY_TEXT_MAX];
    DWORD length = size;
    LONG result = RegQueryValueExA(key, name, NULL, NULL, (BYTE*)data, &length);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return false;
    if (length == 0 || data[length - 1] != '\0') {
        if ((int)length >= size)
            return false;  // no room for the terminator the value lacks
        data[length] = '\0';
    }
    lstrcpynA(buffer, data, size);
    return true;
}
