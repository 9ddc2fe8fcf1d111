// The tool window's place: its normal rectangle, kept wholly on the screen.
#include "placement.h"
#include "display_seam.h"

// `value` limited to low..high; low wins when the range is empty.
static int Limit(int value, int low, int high)
{
    if (value > high)
        value = high;
    return value < low ? low : value;
}

void PullInsideScreen(int* left, int* top, int width, int height)
{
    // The size is limited first, so no sum below can overflow.
    int screenWidth = display::ScreenWidth();
    int screenHeight = display::ScreenHeight();
    width = Limit(width, 0, screenWidth);
    height = Limit(height, 0, screenHeight);
    *left = Limit(*left, 0, screenWidth - width);
    *top = Limit(*top, 0, screenHeight - height);
}

RECT NormalRect(HWND window)
{
    WINDOWPLACEMENT placement;
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(window, &placement))
        SetRectEmpty(&placement.rcNormalPosition);
    return placement.rcNormalPosition;
}

void SetNormalRect(HWND window, const RECT& r)
{
    if (!IsIconic(window)) {
        MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        return;
    }
    // Moving a minimised window would move its icon: change the place it
    // is restored to instead, showing it no more than it is shown now.
    WINDOWPLACEMENT placement;
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(window, &placement))
        return;
    placement.rcNormalPosition = r;
    placement.showCmd = IsWindowVisible(window) ? SW_SHOWMINNOACTIVE : SW_HIDE;
    SetWindowPlacement(window, &placement);
}

void KeepWindowOnScreen(HWND window)
{
    if (!window || !IsWindow(window))
        return;
    RECT r = NormalRect(window);
    int left = r.left;
    int top = r.top;
    PullInsideScreen(&left, &top, r.right - r.left, r.bottom - r.top);
    if (left == r.left && top == r.top)
        return;
    OffsetRect(&r, left - r.left, top - r.top);
    SetNormalRect(window, r);
}
