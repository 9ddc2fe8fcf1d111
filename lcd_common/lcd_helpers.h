// Small helpers of the LCD programs: the platform, paths in fixed buffers,
// terminated registry texts and the ASCII-only letter-case rules (cp932
// double-byte characters are never folded or split).
#ifndef LCD_COMMON_LCD_HELPERS_H
#define LCD_COMMON_LCD_HELPERS_H

#include <windows.h>

// True on the Windows NT platform (GetVersionExA with the 148-byte structure).
bool IsWindowsNt();

// `a` + `b` + `c` + `d` in `path` of `size` bytes. A result that would not
// fit is refused (false, `path` empty), never truncated into another path.
bool JoinPath(char* path, int size, const char* a, const char* b, const char* c = "",
              const char* d = "");

// Terminates the `length` bytes a registry read left in `buffer` of `size`
// bytes, unless they hold a NUL already; false when there is no room.
bool TerminateRegistryText(char* buffer, DWORD length, DWORD size);
// Value `name` of an open key into `buffer` of `size` bytes, whatever its
// type, terminated. False when it is missing, cannot be read, or does not
// fit with its terminator.
bool ReadRegistryText(HKEY key, const char* name, char* buffer, DWORD size);

// Byte-for-byte equality up to and including the terminator.
bool SameBytes(const char* a, const char* b);
// Equality with ASCII letters folded; every other byte must match exactly.
bool SameIgnoringAsciiCase(const char* a, const char* b);
// ASCII letters to upper case in place; double-byte characters stay.
void UpperAscii(char* text);

#endif
