// Text helpers of the uninstaller: comparisons that ignore ASCII letter case
// (never inside a double-byte character), byte search, and copying into
// fixed buffers where a text that does not fit is refused, never cut.
#ifndef NRXDEL_ASCII_TEXT_H
#define NRXDEL_ASCII_TEXT_H

#include <windows.h>

bool SameTextIgnoringAsciiCase(const char* first, const char* second);
// True when `text` begins with `prefix` (ASCII case ignored).
bool StartsWithIgnoringAsciiCase(const char* text, const char* prefix);
// True when `text` occurs, byte for byte, in the `length` bytes at `data`.
bool ContainsBytes(const char* data, int length, const char* text);
// `buffer` (of `size` bytes) becomes `text`; false, and `buffer` unchanged,
// when it would not fit with its terminator.
bool CopyText(char* buffer, int size, const char* text);
// Appends `text` to the text in `buffer`; false, and `buffer` unchanged, when
// the whole would not fit.
bool AppendText(char* buffer, int size, const char* text);

#endif
