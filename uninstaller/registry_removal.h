// Registry helpers of the uninstall: remove a key with everything below it,
// read one text value.
#ifndef NRXDEL_REGISTRY_REMOVAL_H
#define NRXDEL_REGISTRY_REMOVAL_H

#include <windows.h>

// The largest value ReadRegistryString reads.
const int REGISTRY_TEXT_MAX = 260;

// Removes root\path and every key below it, the deepest first, the given
// key last. A key that cannot be opened, enumerated or deleted ends the
// removal; what was deleted stays deleted.
void DeleteRegistryTree(HKEY root, const char* path);
// Reads value `name` of root\path into `buffer` (at most `size` bytes, and
// at most REGISTRY_TEXT_MAX) and terminates it. False, with `buffer` as it
// was, when the key or value is missing or the text does not fit.
bool ReadRegistryString(HKEY root, const char* path, const char* name, char* buffer, int size);

#endif
