// Dialogs 101 (standard driver to portrait driver) and 102 (back to the
// standard driver), both centred on the screen, with the about box on their
// system menu.
#ifndef ROTSEL_SWITCH_DIALOGS_H
#define ROTSEL_SWITCH_DIALOGS_H

#include <windows.h>

// The label of the about box's item on the dialogs' system menu.
extern const char SYSTEM_MENU_ABOUT_LABEL[];

// Dialog `id` (IDD_TO_PORTRAIT_DRIVER or IDD_TO_STANDARD_DRIVER) modally,
// owned by `owner`; IDOK for 再起動(&R), IDCANCEL otherwise. Dialog 101
// records its check box in Switcher.portraitChosen.
INT_PTR ShowSwitchDialog(HWND owner, int id);
// Moves `window` to the centre of the screen, keeping its size and z-order.
void CenterOnScreen(HWND window);

#endif
