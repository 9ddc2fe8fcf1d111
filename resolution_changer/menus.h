// The two popup menus: the tray form and the toolbar's pull-down form.
#ifndef NRXVGCHG_MENUS_H
#define NRXVGCHG_MENUS_H

#include <windows.h>

// A new popup menu for the caller to track and destroy; NULL when a popup
// could not be created.
HMENU BuildPopupMenu(bool trayForm);

#endif
