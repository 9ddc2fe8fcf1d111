// The uninstall that OK in dialog 101 starts: the pending renames filtered,
// the utility half, the driver half, the files and records both share, the
// final message and the restart it offers.
#ifndef NRXDEL_UNINSTALL_SEQUENCE_H
#define NRXDEL_UNINSTALL_SEQUENCE_H

#include "driver_uninstall.h"
#include "progman_client.h"

// Runs the whole sequence for the selections of UninstallerState and ends
// `dialog` (restarting Windows when the user agrees); returns 1.
int RunUninstall(HWND dialog);
// The utility half: every utility install's files (the latest's first), its
// folder and group once no install still names them, and the utility
// records; `board` receives the latest install's board key name.
void UninstallUtility(ProgmanClient& progman, char* board);

#endif
