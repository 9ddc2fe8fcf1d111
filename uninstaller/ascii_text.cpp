// Text helpers of the uninstaller.
#include "ascii_text.h"

static char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
}

// Compares `prefix` with the start of `text` (with all of it when `whole`).
// A double-byte character must match exactly: its second byte may look like
// an ASCII letter without being one.
static bool MatchesIgnoringAsciiCase(const char* text, const char* prefix, bool whole)
{
    for (;;) {
        if (*prefix == '\0')
            return !whole || *text == '\0';
        if (IsDBCSLeadByte((BYTE)*prefix)) {
            if (text[0] != prefix[0] || prefix[1] == '\0' || text[1] != prefix[1])
                return false;
            text += 2;
            prefix += 2;
            continue;
        }
        if (AsciiLower(*text) != AsciiLower(*prefix))
            return false;
        ++text;
        ++prefix;
    }
}

bool SameTextIgnoringAsciiCase(const char* first, const char* second)
{
    return MatchesIgnoringAsciiCase(first, second, true);
}

bool StartsWithIgnoringAsciiCase(const char* text, const char* prefix)
{
    return MatchesIgnoringAsciiCase(text, prefix, false);
}

bool ContainsBytes(const char* data, int length, const char* text)
{
    int textLength = lstrlenA(text);
    for (int start = 0; start + textLength <= length; ++start) {
        int i = 0;
        while (i < textLength && data[start + i] == text[i])
            ++i;
        if (i == textLength)
            return true;
    }
    return false;
}

bool CopyText(char* buffer, int size, const char* text)
{
    int length = lstrlenA(text);
    if (length >= size)
        return false;
    CopyMemory(buffer, text, length + 1);
    return true;
}

bool AppendText(char* buffer, int size, const char* text)
{
    int used = lstrlenA(buffer);
    return CopyText(buffer + used, size - used, text);
}
