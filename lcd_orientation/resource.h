// Resource and command identifiers of the LCD orientation changer PIVOTER.
#ifndef PIVOTER_RESOURCE_H
#define PIVOTER_RESOURCE_H

// Icons
#define IDI_PROGRAM 105

// Dialogs
#define IDD_ABOUT 103

// Controls
#define IDC_ABOUT_TITLE 1003
#define IDC_ABOUT_VERSION 1004
#define IDC_ABOUT_NOTICE 1005

// Commands
#define IDM_ABOUT 2
#define IDM_EXIT 5

// Strings
#define IDS_TITLE 1
#define IDS_MENU_ABOUT 2
#define IDS_LEGAL_NOTICE 3
#define IDS_LCD_DRIVER 4
#define IDS_MENU_EXIT 5

#endif
