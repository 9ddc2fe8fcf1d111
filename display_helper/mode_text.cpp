// Strict reading of a mode text: a malformed one must change nothing.
#include "mode_text.h"

// Reads one decimal number of at most 5 digits; advances *p past it.
static bool ReadNumber(const char** p, int* value)
{
    int digits = 0;
    int result = 0;
    while (**p >= '0' && **p <= '9') {
        if (++digits > 5)
            return false;
        result = result * 10 + (**p - '0');
        ++*p;
    }
    *value = result;
    return digits > 0 && result > 0;
}

bool ParseModeText(const char* text, ModeText* mode)
{
    if (!text)
        return false;
    const char* p = text;
    if (!ReadNumber(&p, &mode->width) || *p++ != 'x')
        return false;
    if (!ReadNumber(&p, &mode->height) || *p++ != 'x')
        return false;
    return ReadNumber(&p, &mode->bitsPerPixel) && *p == '\0';
}
