// The settings dialog: which resolutions take part in quick switching, and
// the hotkey of each.
#include "settings_dialog.h"

INT_PTR RunSettingsDialog(HWND)
{
    return IDCANCEL;
}
