// Pictures of the Wine desktop taken from inside it: a rectangle of the
// screen as the user sees it (every process's windows and menus), saved as a
// 24-bit BMP, and what a caption's pixels show.
#ifndef TESTBED_SCREEN_CAPTURE_H
#define TESTBED_SCREEN_CAPTURE_H

#include <windows.h>

#include <string>
#include <vector>

namespace capture {

struct Picture {
    RECT area = {};
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;  // rows from the top
    COLORREF at(int x, int y) const { return pixels[(size_t)y * width + x]; }
};

Picture Take(const RECT& area);
bool SaveBmp(const Picture& picture, const std::string& path);

// The smallest rectangle around the windows, grown by `margin` and kept on
// the screen.
RECT Around(const std::vector<HWND>& windows, int margin);

// What the caption of `window` shows: pixels of the caption text colour in
// the part left of the buttons, and the close button's glyph as a drawn
// cross (dark pixels mirror-symmetric left to right), not a letter.
struct CaptionLook {
    int titlePixels = 0;
    int glyphPixels = 0;
    bool glyphSymmetric = false;
};
CaptionLook LookAtCaption(HWND window);

}  // namespace capture

#endif
