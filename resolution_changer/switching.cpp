// Every change of display mode: test, confirmation, fall-back and restart.
#include "switching.h"
#include "display_seam.h"
#include "mode_tables.h"
#include "placement.h"
#include "resource.h"
#include "shell_state.h"
#include "switch_dialogs.h"
#include "texts.h"

#include <nrxchg32.h>

// CDS_TEST with the high bit set: the test for a live colour-depth change.
static const DWORD CDS_QUICK_TEST = 0x80000002;

// The record of the requested depth whose size is the requested one, else
// the first of that depth improved towards the largest height that does not
// exceed the request. NULL when the depth is not offered.
static const ModeRecord* ChooseMode(WORD width, WORD height, WORD bitsPerPixel)
{
    const ModeRecord* choice = NULL;
    for (int i = 0; i < ModeList.count; ++i) {
        const ModeRecord* record = &ModeList.records[i];
        if ((WORD)record->dmBitsPerPel != bitsPerPixel)
            continue;
        WORD recordHeight = (WORD)record->dmPelsHeight;
        if (!choice) {
            choice = record;
        } else if ((WORD)record->dmPelsWidth == width && recordHeight == height) {
            choice = record;
        } else {
            WORD choiceHeight = (WORD)choice->dmPelsHeight;
            if (choiceHeight < height && recordHeight > choiceHeight && recordHeight <= height)
                choice = record;
        }
    }
    return choice;
}

// The fields of `mode` that differ from the mode in use.
static DWORD ChangedFields(const ModeRecord& mode)
{
    DWORD fields = 0;
    if ((WORD)mode.dmBitsPerPel != (WORD)CurrentDisplay.bitsPerPixel)
        fields |= DM_BITSPERPEL;
    if ((WORD)mode.dmPelsWidth != (WORD)CurrentDisplay.width)
        fields |= DM_PELSWIDTH;
    if ((WORD)mode.dmPelsHeight != (WORD)CurrentDisplay.height)
        fields |= DM_PELSHEIGHT;
    return fields;
}

// Records the mode for the next start and restarts Windows.
static void RecordAndRestart(ModeRecord* mode)
{
    display::ChangeMode(mode, CDS_UPDATEREGISTRY);
    RestartWindows();
}

// Hands the change to the helper library, which makes it live.
static int ChangeThroughLibrary(ModeRecord* mode)
{
    display::ChangeMode(mode, CDS_UPDATEREGISTRY);
    char text[32];  // at most "65535x65535x65535"
    wsprintfA(text, "%dx%dx%d", (int)mode->dmPelsWidth, (int)mode->dmPelsHeight,
              (int)mode->dmBitsPerPel);
    return QuickResChange(text) ? 1 : 0;
}

// A colour-depth change the library can make live: test it, then let the
// user choose between a restart and the live change.
static int SwitchQuickly(HWND owner, ModeRecord* mode, int confirm)
{
    if (display::ChangeMode(mode, CDS_QUICK_TEST) != DISP_CHANGE_SUCCESSFUL) {
        if (ShowMessage(owner, IDS_NEEDS_RESTART, MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
            RecordAndRestart(mode);
        return 0;
    }
    if (confirm) {
        switch (RunRestartOrSwitchDialog(owner)) {
        case IDOK:
            RecordAndRestart(mode);
            return 0;
        case IDC_SWITCH_LIVE:
            break;
        default:
            return 0;
        }
    }
    return ChangeThroughLibrary(mode);
}

static int SwitchStandard(HWND owner, ModeRecord* mode, int confirm)
{
    LONG test = display::ChangeMode(mode, CDS_TEST);
    if (test == DISP_CHANGE_SUCCESSFUL) {
        if (confirm && ShowMessage(owner, IDS_ABOUT_TO_CHANGE, MB_OKCANCEL | MB_ICONASTERISK) != IDOK)
            return 0;
        if (display::ChangeMode(mode, CDS_UPDATEREGISTRY) != DISP_CHANGE_SUCCESSFUL) {
            ShowMessage(owner, IDS_CANNOT_CHANGE, MB_ICONHAND);
            return 0;
        }
        return 1;
    }
    if (Shell.quickChangeAvailable)
        return ChangeThroughLibrary(mode);
    if (test != DISP_CHANGE_RESTART) {
        ShowMessage(owner, IDS_CANNOT_CHANGE, MB_ICONEXCLAMATION);
        return 0;
    }
    if (ShowMessage(owner, IDS_NEEDS_RESTART, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return 0;
    if (display::ChangeMode(mode, CDS_UPDATEREGISTRY) != DISP_CHANGE_SUCCESSFUL)
        RestartWindows();
    else
        ShowMessage(owner, IDS_CANNOT_CHANGE, MB_ICONHAND);
    return 0;
}

// The switch's messages and dialogs belong to `owner`, the window that asked
// for it (the tool window, or the settings dialog during a trial), which
// they keep disabled while they are open.
int SwitchDisplayMode(HWND owner, int width, int height, int bitsPerPixel, int confirm)
{
    // Without a readable current mode nothing can be compared or rolled back.
    if (CurrentDisplay.width <= 0 || CurrentDisplay.height <= 0)
        return 0;
    if (!width)
        width = CurrentDisplay.width;
    if (!height)
        height = CurrentDisplay.height;
    if (!bitsPerPixel)
        bitsPerPixel = CurrentDisplay.bitsPerPixel;
    const ModeRecord* choice = ChooseMode((WORD)width, (WORD)height, (WORD)bitsPerPixel);
    if (!choice)
        return 0;
    ModeRecord mode = *choice;
    mode.dmFields = ChangedFields(mode);
    if (!mode.dmFields)
        return 0;
    if (Shell.quickChangeAvailable && (mode.dmFields & DM_BITSPERPEL))
        return SwitchQuickly(owner, &mode, confirm);
    return SwitchStandard(owner, &mode, confirm);
}

int SwitchAndMoveWindow(HWND toolWindow, int width, int height, int bitsPerPixel, int confirm)
{
    // A minimised window keeps its place for when it is restored.
    RECT r = NormalRect(toolWindow);
    int oldWidth = CurrentDisplay.width;
    int oldHeight = CurrentDisplay.height;
    if (!SwitchDisplayMode(toolWindow, width, height, bitsPerPixel, confirm))
        return 0;
    // The system has announced the new mode by now, so CurrentDisplay holds
    // it. In portrait the normalised height is the real width: either way
    // the left edge scales with the real widths, the top with the heights.
    int screenWidth = display::ScreenWidth();
    int screenHeight = display::ScreenHeight();
    int left, top;
    if (screenWidth > screenHeight) {
        left = MulDiv(r.left, CurrentDisplay.width, oldWidth);
        top = MulDiv(r.top, CurrentDisplay.height, oldHeight);
    } else {
        left = MulDiv(r.left, CurrentDisplay.height, oldHeight);
        top = MulDiv(r.top, CurrentDisplay.width, oldWidth);
    }
    int w = r.right - r.left;
    int h = r.bottom - r.top;
    PullInsideScreen(&left, &top, w, h);
    RECT moved = {left, top, left + w, top + h};
    SetNormalRect(toolWindow, moved);
    return 1;
}

void SelectModeFromMenu(int index)
{
    if (index < 0 || index >= ModeList.count)
        return;
    HWND toolWindow = Shell.toolWindow;
    RECT r = NormalRect(toolWindow);
    CurrentDisplayState before = CurrentDisplay;
    const ModeRecord& mode = ModeList.records[index];
    if (!SwitchAndMoveWindow(toolWindow, mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel, 1))
        return;
    // Anything but a clear "yes" (no, Esc, the time-out) brings the old mode back.
    if (RunConfirmationDialog(toolWindow) == IDOK)
        return;
    SwitchDisplayMode(toolWindow, before.width, before.height, before.bitsPerPixel, 0);
    SetNormalRect(toolWindow, r);
}

// The slots from s - 1 down to 0, then from the last up to s + 1.
int CycleResolution(HWND toolWindow)
{
    int current = CurrentDisplay.slotIndex;
    for (int step = 1; step < MAX_SLOTS; ++step) {
        int index = ((current - step) % MAX_SLOTS + MAX_SLOTS) % MAX_SLOTS;
        const ResolutionSlot& slot = ResolutionTable.slots[index];
        if (slot.switchEnabled && slot.available) {
            CurrentDisplay.slotIndex = index;
            return SwitchAndMoveWindow(toolWindow, slot.width, slot.height,
                                       CurrentDisplay.bitsPerPixel, 0);
        }
    }
    return 0;
}

void HotkeySwitch(int slotIndex)
{
    if (slotIndex < 0 || slotIndex >= MAX_SLOTS)
        return;
    const ResolutionSlot& slot = ResolutionTable.slots[slotIndex];
    if (slot.switchEnabled && slot.available)
        SwitchAndMoveWindow(Shell.toolWindow, slot.width, slot.height, CurrentDisplay.bitsPerPixel, 0);
}
