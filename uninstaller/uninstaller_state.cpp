// The uninstaller's process-wide record and the names it shares.
#include "uninstaller_state.h"

// A restart is needed unless the board turns out to be absent.
UninstallerState Uninstaller = {{0}, {0}, {0}, {0}, {0}, BOARD_UNKNOWN, MACHINE_PCAT, 1, 0, 0, NULL};

const char INSTALL_KEY[] = "SOFTWARE\\NORIX\\DISPLAY";
const char DRIVER_RECORDS_KEY[] = "SOFTWARE\\NORIX\\DISPLAY\\DRIVER";
const char UTILITY_RECORDS_KEY[] = "SOFTWARE\\NORIX\\DISPLAY\\UTILITY";
const char BOOT_DIR_VALUE[] = "BootDir";

const char UNINSTALL_CAPTION[] = "ｱﾝｲﾝｽﾄｰﾙ";
