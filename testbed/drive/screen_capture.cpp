// Pictures of the Wine desktop taken from inside it.
#include "screen_capture.h"

#include <cstdio>

namespace capture {

Picture Take(const RECT& area)
{
    Picture picture;
    picture.area = area;
    picture.width = area.right - area.left;
    picture.height = area.bottom - area.top;
    if (picture.width <= 0 || picture.height <= 0)
        return Picture();
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, picture.width, picture.height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    const DWORD* pixel = (const DWORD*)bits;
    picture.pixels.resize((size_t)picture.width * picture.height);
    for (size_t i = 0; i < picture.pixels.size(); ++i)  // 0x00RRGGBB to COLORREF
        picture.pixels[i] = RGB((pixel[i] >> 16) & 0xFF, (pixel[i] >> 8) & 0xFF, pixel[i] & 0xFF);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return picture;
}

bool SaveBmp(const Picture& picture, const std::string& path)
{
    int rowBytes = (picture.width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = picture.width;
    header.biHeight = picture.height;  // bottom-up, as every reader takes it
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = rowBytes * picture.height;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + header.biSizeImage;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    std::fwrite(&file, sizeof(file), 1, out);
    std::fwrite(&header, sizeof(header), 1, out);
    std::vector<unsigned char> row(rowBytes, 0);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            COLORREF c = picture.at(x, y);
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
        std::fwrite(row.data(), row.size(), 1, out);
    }
    return std::fclose(out) == 0;
}

RECT Around(const std::vector<HWND>& windows, int margin)
{
    RECT all = {};
    for (HWND window : windows) {
        RECT r;
        if (!window || !GetWindowRect(window, &r))
            continue;
        if (IsRectEmpty(&all))
            all = r;
        else
            UnionRect(&all, &all, &r);
    }
    InflateRect(&all, margin, margin);
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&all, &all, &screen);
    return all;
}

static bool Dark(COLORREF c)
{
    return GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) < 64;
}

CaptionLook LookAtCaption(HWND window)
{
    CaptionLook look;
    RECT outer;
    GetWindowRect(window, &outer);
    POINT client = {0, 0};
    ClientToScreen(window, &client);
    int frame = client.x - outer.left;
    RECT band = {outer.left + frame, outer.top + frame, outer.right - frame, client.y};
    int height = band.bottom - band.top - 1;  // the caption's bottom line is not its own
    if (height <= 4 || band.right - band.left <= height)
        return look;
    Picture picture = Take(band);

    // The close button is the right-most button, as wide as the metrics
    // say; the title starts at the left. The text colours never occur in the
    // left part of either caption gradient.
    bool small = (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
    int width = GetSystemMetrics(small ? SM_CXSMSIZE : SM_CXSIZE);
    if (width < height || width > picture.width / 2)
        width = height;
    COLORREF text[] = {GetSysColor(COLOR_CAPTIONTEXT), GetSysColor(COLOR_INACTIVECAPTIONTEXT)};
    int titleEnd = (picture.width - width) * 3 / 5;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < titleEnd; ++x)
            if (picture.at(x, y) == text[0] || picture.at(x, y) == text[1])
                ++look.titlePixels;

    // The button's dark frame lines are long and straight, the glyph's
    // strokes are not.
    int left = picture.width - width;
    std::vector<bool> dark((size_t)height * width);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            dark[(size_t)y * width + x] = Dark(picture.at(left + x, y));
    std::vector<bool> lineRow(height), lineColumn(width);
    for (int y = 0; y < height; ++y) {
        int inRow = 0;
        for (int x = 0; x < width; ++x)
            inRow += dark[(size_t)y * width + x];
        lineRow[y] = inRow * 10 >= width * 6;
    }
    for (int x = 0; x < width; ++x) {
        int inColumn = 0;
        for (int y = 0; y < height; ++y)
            inColumn += dark[(size_t)y * width + x];
        lineColumn[x] = inColumn * 10 >= height * 6;
    }
    auto stroke = [&](int x, int y) { return dark[(size_t)y * width + x] && !lineRow[y] && !lineColumn[x]; };
    int x0 = width, x1 = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (stroke(x, y)) {
                ++look.glyphPixels;
                x0 = x < x0 ? x : x0;
                x1 = x > x1 ? x : x1;
            }
    int mirrored = 0;
    for (int y = 0; y < height; ++y)
        for (int x = x0; x <= x1; ++x)
            mirrored += stroke(x, y) && stroke(x0 + x1 - x, y);
    look.glyphSymmetric = look.glyphPixels >= 6 && mirrored * 10 >= look.glyphPixels * 9;
    return look;
}

}  // namespace capture
