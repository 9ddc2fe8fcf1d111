// Resource and command identifiers of the LCD driver switcher ROTSEL.
#ifndef ROTSEL_RESOURCE_H
#define ROTSEL_RESOURCE_H

// Icons
#define IDI_PROGRAM 105

// Dialogs
#define IDD_TO_PORTRAIT_DRIVER 101
#define IDD_TO_STANDARD_DRIVER 102
#define IDD_ABOUT 103

// Controls
#define IDC_PORTRAIT_AT_RESTART 1000
#define IDC_ABOUT_TITLE 1003
#define IDC_ABOUT_VERSION 1004
#define IDC_ABOUT_NOTICE 1005
#define IDC_NO_PANEL 1008

// Commands
#define IDM_ABOUT 1006
#define IDM_ABOUT_ALSO 1007
#define IDM_SYSTEM_ABOUT 0x0010  // on the dialogs' system menu (low four bits clear)

// Strings
#define IDS_TITLE 1
#define IDS_VERSION 2
#define IDS_LEGAL_NOTICE 3
#define IDS_LCD_DRIVER 4

#endif
