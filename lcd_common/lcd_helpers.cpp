// Small helpers of the LCD programs.
#include "lcd_helpers.h"

static const DWORD OSVERSIONINFO_SIZE = 148;

bool IsWindowsNt()
{
    OSVERSIONINFOA version;
    ZeroMemory(&version, sizeof(version));
    version.dwOSVersionInfoSize = OSVERSIONINFO_SIZE;
    GetVersionExA(&version);
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool JoinPath(char* path, int size, const char* a, const char* b, const char* c, const char* d)
{
    const char* pieces[4] = {a, b, c, d};
    int length = 0;
    for (int i = 0; i < 4; ++i) {
        int pieceLength = lstrlenA(pieces[i]);
        if (length + pieceLength >= size) {
            path[0] = '\0';
            return false;
        }
        CopyMemory(path + length, pieces[i], pieceLength);
        length += pieceLength;
    }
    path[length] = '\0';
    return true;
}

bool TerminateRegistryText(char* buffer, DWORD length, DWORD size)
{
    // The text ends at its first NUL, wherever that is.
    for (DWORD i = 0; i < length && i < size; ++i)
        if (buffer[i] == '\0')
            return true;
    if (length >= size)
        return false;  // no room left for the terminator
    buffer[length] = '\0';
    return true;
}

bool ReadRegistryText(HKEY key, const char* name, char* buffer, DWORD size)
{
    DWORD length = size;
    if (RegQueryValueExA(key, name, NULL, NULL, (BYTE*)buffer, &length) != ERROR_SUCCESS)
        return false;
    return TerminateRegistryText(buffer, length, size);
}

bool SameBytes(const char* a, const char* b)
{
    for (; *a == *b; ++a, ++b)
        if (*a == '\0')
            return true;
    return false;
}

static char FoldAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c;
}

bool SameIgnoringAsciiCase(const char* a, const char* b)
{
    for (;;) {
        if (IsDBCSLeadByte((BYTE)*a)) {
            if (a[0] != b[0] || a[1] != b[1])
                return false;
            if (a[1] == '\0')
                return true;
            a += 2;
            b += 2;
            continue;
        }
        if (FoldAscii(*a) != FoldAscii(*b))
            return false;
        if (*a == '\0')
            return true;
        ++a;
        ++b;
    }
}

void UpperAscii(char* text)
{
    while (*text) {
        if (IsDBCSLeadByte((BYTE)*text)) {
            if (text[1] == '\0')
                return;
            text += 2;
            continue;
        }
        *text = FoldAscii(*text);
        ++text;
    }
}
