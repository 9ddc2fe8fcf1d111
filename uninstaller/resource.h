// Resource and control identifiers of the uninstaller.
#ifndef NRXDEL_RESOURCE_H
#define NRXDEL_RESOURCE_H

// Icons
#define IDI_PROGRAM 1

// Dialogs
#define IDD_SELECTION 101

// Controls
#define IDC_UNINSTALL_DRIVER 1000
#define IDC_UNINSTALL_UTILITY 1001

#endif
