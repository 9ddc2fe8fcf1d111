// The uninstaller's process-wide record: directories, board, machine type,
// the selections and whether a restart is needed to finish.
#ifndef NRXDEL_UNINSTALLER_STATE_H
#define NRXDEL_UNINSTALLER_STATE_H

#include <windows.h>

// Every path buffer of the uninstaller.
const int PATH_SIZE = 260;

// MachineType
const int MACHINE_PC98 = 1;
const int MACHINE_PCAT = 2;

// BoardCode when no model name was recognised.
const int BOARD_UNKNOWN = 0;

struct UninstallerState {
    char windowsDirectory[PATH_SIZE];
    char systemDirectory[PATH_SIZE];
    char infDirectory[PATH_SIZE];    // the Windows directory followed by "\INF"
    char startDirectory[PATH_SIZE];  // the current directory at program start
    char bootDir[PATH_SIZE];         // the first run's start directory, from the registry
    int boardCode;
    int machineType;
    int restartNeeded;  // 1 until the board is found absent; set by every deferral
    int driverSelected;
    int utilitySelected;
    HINSTANCE instance;
};

extern UninstallerState Uninstaller;

// The install records under HKEY_LOCAL_MACHINE.
extern const char INSTALL_KEY[];         // "SOFTWARE\NORIX\DISPLAY"
extern const char DRIVER_RECORDS_KEY[];  // "SOFTWARE\NORIX\DISPLAY\DRIVER"
extern const char UTILITY_RECORDS_KEY[]; // "SOFTWARE\NORIX\DISPLAY\UTILITY"
extern const char BOOT_DIR_VALUE[];      // "BootDir"

// Caption of every message box and of the selection dialog.
extern const char UNINSTALL_CAPTION[];

#endif
