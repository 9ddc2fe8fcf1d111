// The uninstall that OK in dialog 101 starts: the pending renames filtered,
// the utility half, the driver half, the files and records both share, the
// final message and the restart it offers.
#ifndef NRXDEL_UNINSTALL_SEQUENCE_H
#define NRXDEL_UNINSTALL_SEQUENCE_H

#include "progman_client.h"

// Runs the whole sequence for the selections of UninstallerState and ends
// `dialog` (restarting Windows when the user agrees); returns 1.
int RunUninstall(HWND dialog);
// The utility half: the latest install's files, every install's backups and
// the utility records. `driverInstances` counts the driver installs at the
// start of the run; `board` receives the install's board key name.
void UninstallUtility(ProgmanClient& progman, int driverInstances, char* board);

#endif
