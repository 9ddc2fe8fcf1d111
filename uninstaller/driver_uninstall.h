// The driver half of the uninstall: the install this uninstaller belongs to
// and the earlier installs of its board, the board's registrations, the
// standard display restore, the monitor entries and the drive root's files.
#ifndef NRXDEL_DRIVER_UNINSTALL_H
#define NRXDEL_DRIVER_UNINSTALL_H

#include "progman_client.h"

// `utilityInstances` counts the utility installs left after the utility
// half; `board` receives the board key name of the install found. When no
// install's "InstDir" is the recorded "BootDir", the half does nothing.
void UninstallDriver(ProgmanClient& progman, int utilityInstances, char* board);

#endif
