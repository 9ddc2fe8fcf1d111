// Parsing of the "<width>x<height>x<bits>" mode text that QuickResChange takes.
#ifndef NRXCHG32_MODE_TEXT_H
#define NRXCHG32_MODE_TEXT_H

struct ModeText {
    int width;
    int height;
    int bitsPerPixel;
};

// True only for three positive decimal numbers joined by 'x' and nothing else.
bool ParseModeText(const char* text, ModeText* mode);

#endif
