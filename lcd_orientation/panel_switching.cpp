// Switches the LCD panel between landscape and portrait.
#include "panel_switching.h"
#include "direction.h"
#include "lcd_display.h"
#include "lcd_helpers.h"
#include "messages.h"
#include "vendor_identification.h"

PanelSwitching Switching = {{0, 0, 0, 0}, 0, PANEL_LCD, NULL};

static const char LCD_STATUS[] = "LCDStatus";
// Enough for every driver's list; a driver that never stops listing cannot hang the toggle.
static const DWORD MODE_TABLE_SIZE = 100;

void QueryPanelState(PanelState* panel)
{
    LcdStateReply reply;
    if (SendLcdEscape(LCD_QUERY_STATE, &reply, sizeof(reply)) <= 0)
        ZeroMemory(&reply, sizeof(reply));
    panel->caps = reply.caps;
    panel->state = reply.state;
    panel->panelWidth = reply.panelWidth;
    panel->panelHeight = reply.panelHeight;
}

void NormalizePanelState(PanelState* panel)
{
    const DWORD outputs = PANEL_LCD | PANEL_SECOND;
    if ((panel->caps & outputs) == 0)
        panel->caps |= PANEL_SECOND;
    if ((panel->caps & PANEL_LCD) == 0)
        panel->caps &= ~PANEL_PORTRAIT;
    if ((panel->caps & outputs) != outputs)
        panel->caps &= ~PANEL_BOTH;
    if ((panel->caps & PANEL_BOTH) == 0)
        panel->caps &= ~PANEL_REFINED;
    panel->state &= panel->caps;
    if ((panel->state & outputs) == 0)
        panel->state |= panel->caps & outputs;
}

void AdjustPanelOption(PanelState* panel)
{
    if ((panel->caps & PANEL_OPTION) == 0)
        return;
    DWORD& state = panel->state;
    if (state & (PANEL_BOTH | PANEL_PORTRAIT)) {
        state = (state & ~PANEL_OPTION) | PANEL_OPTION_FIXED;
    } else if ((state & PANEL_LCD) == 0) {
        state |= PANEL_OPTION | PANEL_OPTION_FIXED;
    } else if (state & PANEL_SECOND) {
        state &= ~PANEL_OPTION_FIXED;
    } else {
        // LCD output only: the option stays free while the panel is larger than the screen.
        int width, height;
        lcd_display::DeviceResolution(&width, &height);
        if (panel->panelWidth > (DWORD)width || panel->panelHeight > (DWORD)height)
            state &= ~PANEL_OPTION_FIXED;
        else
            state = (state & ~PANEL_OPTION) | PANEL_OPTION_FIXED;
    }
}

void TogglePortrait(PanelState* panel)
{
    if (panel->state & PANEL_PORTRAIT) {
        panel->state = Switching.landscapeState & ~PANEL_PORTRAIT;
    } else {
        Switching.landscapeState = panel->state;
        // Portrait is always LCD output only.
        panel->state = (panel->state & ~(PANEL_SECOND | PANEL_BOTH)) | PANEL_LCD | PANEL_PORTRAIT;
    }
}

bool SetValueIfOpen(HKEY key, const char* name, const void* data, DWORD type, DWORD size)
{
    return key && RegSetValueExA(key, name, 0, type, (const BYTE*)data, size) == ERROR_SUCCESS;
}

bool StorePanelState(HKEY settingsKey, const PanelState& panel)
{
    if (!IsWindowsNt())
        WriteDirection((panel.state & PANEL_PORTRAIT) != 0);  // read by ROTSEL
    DWORD state = panel.state;
    // "LCDStatus" in the settings key, read by the driver when the mode is set
    return SetValueIfOpen(settingsKey, LCD_STATUS, &state, REG_DWORD, sizeof(state));
}

// Whether a listed mode is the one the driver named.
static bool IsNamedMode(const DEVMODEA& mode, DWORD width, DWORD height, DWORD bits, DWORD refresh)
{
    return mode.dmPelsWidth == width && mode.dmPelsHeight == height && mode.dmBitsPerPel == bits &&
           mode.dmDisplayFrequency == refresh;
}

void ApplyPanelMode(DWORD newState, DWORD previousState)
{
    if ((newState & ~PANEL_REFINED) == (previousState & ~PANEL_REFINED))
        return;
    // The reply now names the display mode of the state just stored.
    LcdStateReply reply;
    if (SendLcdEscape(LCD_QUERY_STATE, &reply, sizeof(reply)) <= 0)
        return;
    DWORD bits = reply.bitsPerPixel;
    DWORD refresh = reply.refresh;
    if (!IsWindowsNt()) {
        // Windows 95/98 drivers list 16 bits for 15 and report every refresh as 0.
        bits += bits & 1;
        refresh = 0;
    }
    DEVMODEA mode;
    for (DWORD number = 0; number < MODE_TABLE_SIZE; ++number) {
        ZeroMemory(&mode, sizeof(mode));
        mode.dmSize = sizeof(mode);
        if (!lcd_display::EnumMode(number, &mode))
            return;
        if (IsNamedMode(mode, reply.width, reply.height, bits, refresh)) {
            // CDS_RESET makes the driver set the mode, and read "LCDStatus", even when unchanged.
            lcd_display::ChangeMode(&mode, CDS_RESET);
            lcd_display::SetPointer(0, 0);
            return;
        }
    }
}

void ReleasePanelSettingsKey()
{
    if (Switching.settingsKey)
        RegCloseKey(Switching.settingsKey);
    Switching.settingsKey = NULL;
}

void TogglePanelOrientation(HWND owner)
{
    ReleasePanelSettingsKey();
    Switching.settingsKey = OpenPanelSettingsKey();
    PanelState& panel = Switching.current;
    QueryPanelState(&panel);
    Switching.previousState = panel.state & ~PANEL_OPTION_FIXED;
    NormalizePanelState(&panel);
    AdjustPanelOption(&panel);
    TogglePortrait(&panel);
    AdjustPanelOption(&panel);
    panel.state &= ~PANEL_OPTION_FIXED;
    if (StorePanelState(Switching.settingsKey, panel)) {
        ApplyPanelMode(panel.state, Switching.previousState);
        return;
    }
    panel.state = Switching.previousState;
    ShowError(owner, MESSAGE_CANNOT_STORE, PROGRAM_TITLE);
}
