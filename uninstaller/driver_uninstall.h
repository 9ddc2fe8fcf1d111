// The driver half of the uninstall: the install this uninstaller belongs to
// and the earlier installs of its board, the board's registrations, the
// standard display restore, the monitor entries and the drive root's files.
#ifndef NRXDEL_DRIVER_UNINSTALL_H
#define NRXDEL_DRIVER_UNINSTALL_H

#include "install_records.h"
#include "progman_client.h"
#include "uninstaller_state.h"

// The records of one driver install, each empty when it cannot be read.
struct DriverInstall {
    char number[INSTANCE_NUMBER_SIZE];
    char key[PATH_SIZE];
    char installDir[RECORD_TEXT_SIZE];
    char board[RECORD_TEXT_SIZE];
    char group[RECORD_TEXT_SIZE];
    char device[RECORD_TEXT_SIZE];
    char secondDevice[RECORD_TEXT_SIZE];
    bool secondDeviceRead;  // board code 11 only
};

// The install whose "InstDir" is the recorded "BootDir", the latest first;
// false when there is none.
bool FindOwnInstall(DriverInstall* own);
// Marks `own` and the earlier installs of its board as going with the run.
void PlanDriverRemoval(const DriverInstall& own);
// Removes `own` and the earlier installs of its board; `board` receives the
// board key name of `own`.
void UninstallDriver(ProgmanClient& progman, const DriverInstall& own, char* board);

#endif
