// The driver half of the uninstall.
#include "driver_uninstall.h"
#include "ascii_text.h"
#include "display_restore.h"
#include "file_removal.h"
#include "install_plan.h"
#include "instance_files.h"
#include "registry_removal.h"
#include "uninstaller_state.h"

// Keys named by a board's records, all under HKEY_LOCAL_MACHINE.
static const char DISPLAY_CLASS_KEY[] = "System\\CurrentControlSet\\Services\\Class\\DISPLAY";
static const char ACCELERATOR_CLASS_KEY[] = "System\\CurrentControlSet\\Services\\Class\\3D Accelerators";
static const char CONFIGURATION_ENUM_KEY[] = "Config\\0001\\Enum";
static const char ENUM_KEY[] = "Enum";

// The display utility's property sheet, registered for every board.
static const char* const DISPLAY_UTILITY_KEYS[] = {
    "SOFTWARE\\Classes\\CLSID\\{C8D05F63-AE21-11cf-92E7-00E08C3D5C39}",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Controls Folder\\Display\\shellex\\PropertySheetHandlers\\NRXUTL",
};

// The LCD property sheet of board code 5, and its settings.
static const char* const LCD_KEYS[] = {
    "SOFTWARE\\Classes\\CLSID\\{A1C47E52-9B0F-11d0-83D6-00E08C3D5B28}",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Controls Folder\\Display\\shellex\\PropertySheetHandlers\\PNLPROP",
};
static const char LCD_USER_KEY[] = "Software\\NORIX\\NrxLCD";  // HKEY_CURRENT_USER
static const char DISPLAY_SETTINGS_KEY[] = "Config\\0001\\Display\\Settings";
static const char* const LCD_SETTINGS[] = {"CurrentDisplay", "CurrentDeskTop", "DuoView", "DuoView_SameImage"};
static const char* const LCD_SHORTCUTS[] = {"\\LCDﾄﾞﾗｲﾊﾞの切り替え.LNK", "\\LCD ﾚｿﾞﾙｳﾞｧ.LNK"};
static const char LCD_ITEM[] = "LCD ﾚｿﾞﾙｳﾞｧ";

// The 3D settings of board codes 11 to 15.
static const char* const ACCELERATOR_KEYS[] = {
    "SOFTWARE\\Classes\\CLSID\\{5B2E9A41-7C3D-11d0-A4F2-00E08C3D5A17}",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Controls Folder\\Display\\shellex\\PropertySheetHandlers\\NRXD3D",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OpenGLDrivers",
};
static const char ACCELERATOR_AIDE[] = "X3DAIDE.EXE";

static const char* const MONITOR_KEYS[] = {
    "System\\CurrentControlSet\\Services\\Class\\Monitor\\0000",
    "Enum\\Monitor\\DEFAULT_MONITOR\\0001",
};

// The per-model file in the drive root. QY-NN names one file on either
// machine, as its pending renames do.
struct ModelFile {
    int firstCode, lastCode;
    const char* pc98;
    const char* pcat;
};
static const ModelFile MODEL_FILES[] = {
    {1, 1, "QXS98.NRX", "QXSAT.NRX"},
    {2, 2, "QXT98.NRX", "QXTAT.NRX"},
    {3, 3, "QR298.NRX", "QR2AT.NRX"},
    {4, 4, "QR398.NRX", "QR3AT.NRX"},
    {5, 5, "QS498.NRX", "QS4AT.NRX"},
    {11, 14, "QZN98.NRX", "QZNAT.NRX"},
    {15, 15, "QYN.NRX", "QYN.NRX"},
};
static const char LCD_ROOT_FILE[] = "PNLPROP.NRX";
static const char ACCELERATOR_ROOT_FILE[] = "NRXD3D.NRX";
// Last in the drive root, in this order.
static const char* const DRIVER_ROOT_FILES[] = {"NRXUTL.NRX", "NRXCHG16.NRX", "NRXCHG32.NRX"};

// The standard VGA driver the 3D boards' installers saved aside.
static const char SAVED_VGA_DRIVER[] = "VGA.QZN";
static const char VGA_DRIVER[] = "VGA.DRV";
static const char REPLACE_LATER[] = "NULL=";

static const int LCD_BOARD = 5;
static const int FIRST_ACCELERATOR_BOARD = 11;
static const int LAST_ACCELERATOR_BOARD = 15;
static const int TWO_DEVICE_BOARD = 11;  // its 3D chip is a device of its own
// The boards whose installers put their own VGA.DRV in place of the standard one.
static const int VGA_REPLACING_BOARDS[] = {11, 13};

// Every key of a registration table, in its order.
template <int COUNT>
static void DeleteKeys(const char* const (&keys)[COUNT])
{
    for (const char* key : keys)
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, key);
}

// The install numbered `number`; false when its key does not open.
static bool ReadInstall(const char* number, DriverInstall* install)
{
    ZeroMemory(install, sizeof(*install));
    if (!CopyText(install->number, sizeof(install->number), number) ||
        !SubkeyPath(DRIVER_RECORDS_KEY, number, install->key) || !KeyOpens(HKEY_LOCAL_MACHINE, install->key))
        return false;
    ReadRecord(install->key, INST_DIR_VALUE, install->installDir);
    ReadRecord(install->key, BOARD_VALUE, install->board);
    ReadRecord(install->key, FOLDER_NAME_VALUE, install->group);
    ReadRecord(install->key, DEVICE_NO_VALUE, install->device);
    install->secondDeviceRead = Uninstaller.boardCode == TWO_DEVICE_BOARD &&
                                ReadRecord(install->key, DEVICE_NO2_VALUE, install->secondDevice);
    return true;
}

// Walks down from the latest install to the one whose "InstDir" is the
// recorded start directory; false once the numbers would fall below 00. An
// install matches only with an "InstDir" of its own: an empty start
// directory, or a key without the value, is no proof of whose it is.
bool FindOwnInstall(DriverInstall* install)
{
    char bootDir[PATH_SIZE] = "";
    char number[INSTANCE_NUMBER_SIZE];
    ReadRegistryString(HKEY_LOCAL_MACHINE, INSTALL_KEY, BOOT_DIR_VALUE, bootDir, sizeof(bootDir));
    if (!bootDir[0] || !ReadCounter(DRIVER_RECORDS_KEY, number))
        return false;
    for (;;) {
        if (ReadInstall(number, install) && install->installDir[0] &&
            SameTextIgnoringAsciiCase(install->installDir, bootDir))
            return true;
        int lower = ParseInstanceNumber(number) - 1;
        if (lower < 0)
            return false;
        FormatInstanceNumber(lower, number);
    }
}

// The configuration's and the hardware tree's key of a device instance.
static void DeleteDeviceKeys(const char* device)
{
    if (!IsDeviceInstance(device))
        return;
    DeleteNamedKey(CONFIGURATION_ENUM_KEY, device);
    DeleteNamedKey(ENUM_KEY, device);
}

static void RemoveLcdComponents(ProgmanClient& progman, const char* group)
{
    DeleteKeys(LCD_KEYS);
    DeleteRegistryTree(HKEY_CURRENT_USER, LCD_USER_KEY);
    HKEY settings;  // HKLM\Config\0001\Display\Settings
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, DISPLAY_SETTINGS_KEY, 0, KEY_ALL_ACCESS, &settings) == ERROR_SUCCESS) {
        for (const char* name : LCD_SETTINGS)
            RegDeleteValueA(settings, name);
        RegCloseKey(settings);
    }
    for (const char* shortcut : LCD_SHORTCUTS)
        DeleteGroupFolderFile(group, shortcut);
    DeleteGroupItem(progman, STARTUP_GROUP, LCD_ITEM);
}

static void RemoveAcceleratorComponents()
{
    DeleteKeys(ACCELERATOR_KEYS);
    DeleteFileIn(Uninstaller.systemDirectory, ACCELERATOR_AIDE);
}

static bool IsAcceleratorBoard()
{
    return Uninstaller.boardCode >= FIRST_ACCELERATOR_BOARD && Uninstaller.boardCode <= LAST_ACCELERATOR_BOARD;
}

// The install found, with everything its board registered.
static void RemoveOwnInstall(ProgmanClient& progman, const DriverInstall& install)
{
    RemoveInstanceFiles(DRIVER_FILE_LIST, install.key, install.number);
    // An earlier run's standard display may have taken the name the board's
    // entry had, while an install of the board stayed.
    if (!IsRootDisplayClass(install.board))
        DeleteBoardKey(DISPLAY_CLASS_KEY, install.board);
    DeleteBoardKey(VENDOR_KEY, install.board);
    if (install.secondDeviceRead) {
        DeleteDeviceKeys(install.secondDevice);
        DeleteBoardKey(ACCELERATOR_CLASS_KEY, install.board);
    }
    DeleteDeviceKeys(install.device);
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, install.key);
    DeleteKeys(DISPLAY_UTILITY_KEYS);
    if (Uninstaller.boardCode == LCD_BOARD)
        RemoveLcdComponents(progman, install.group);
    if (IsAcceleratorBoard())
        RemoveAcceleratorComponents();
    MarkInstallDone(DRIVER_FILE_LIST, install.number);
    RemoveSharedFiles(progman, install.installDir, install.group);
}

// The next earlier install of `own`'s board below number *k; false when
// there is none. Installs of other boards stay.
static bool NextEarlierInstall(const DriverInstall& own, int* k, DriverInstall* earlier)
{
    if (!IsBoardName(own.board))
        return false;
    while (--*k >= 0) {
        char number[INSTANCE_NUMBER_SIZE];
        FormatInstanceNumber(*k, number);
        if (ReadInstall(number, earlier) && SameTextIgnoringAsciiCase(earlier->board, own.board))
            return true;
    }
    return false;
}

void PlanDriverRemoval(const DriverInstall& own)
{
    PlanRemoval(DRIVER_FILE_LIST, own.number);
    DriverInstall earlier;
    for (int k = ParseInstanceNumber(own.number); NextEarlierInstall(own, &k, &earlier);)
        PlanRemoval(DRIVER_FILE_LIST, earlier.number);
}

static void RemoveEarlierInstalls(ProgmanClient& progman, const DriverInstall& own)
{
    DriverInstall earlier;
    for (int k = ParseInstanceNumber(own.number); NextEarlierInstall(own, &k, &earlier);) {
        DeleteDeviceKeys(earlier.secondDevice);
        RemoveInstanceFiles(DRIVER_FILE_LIST, earlier.key, earlier.number);
        DeleteDeviceKeys(earlier.device);
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, earlier.key);
        MarkInstallDone(DRIVER_FILE_LIST, earlier.number);
        RemoveSharedFiles(progman, earlier.installDir, earlier.group);
    }
}

// Puts the saved standard VGA driver back in place of the board's: now, or
// at the next start when VGA.DRV is in use. The saved copy is only deleted
// once it has been copied, so that no VGA driver is ever lost.
static void PutBackVgaDriver()
{
    char source[PATH_SIZE], target[PATH_SIZE], found[PATH_SIZE];
    char* filePart;
    DWORD length = SearchPathA(Uninstaller.systemDirectory, SAVED_VGA_DRIVER, NULL, sizeof(found), found, &filePart);
    if (length == 0 || length >= sizeof(found) || !FilePathIn(Uninstaller.systemDirectory, SAVED_VGA_DRIVER, source) ||
        !FilePathIn(Uninstaller.systemDirectory, VGA_DRIVER, target))
        return;
    if (DeleteFileA(target) || GetLastError() == ERROR_FILE_NOT_FOUND) {
        if (CopyFileA(source, target, FALSE))
            DeleteFileOrSchedule(source);
        return;
    }
    // "NULL=" and the rename go in one write, so that neither is left alone.
    char shortSource[PATH_SIZE], shortTarget[PATH_SIZE], lines[3 * PATH_SIZE];
    if (ShortPathOf(source, shortSource) && ShortPathOf(target, shortTarget) &&
        CopyText(lines, sizeof(lines), REPLACE_LATER) && AppendText(lines, sizeof(lines), shortTarget) &&
        AppendText(lines, sizeof(lines), "\r\n") && AppendText(lines, sizeof(lines), shortTarget) &&
        AppendText(lines, sizeof(lines), "=") && AppendText(lines, sizeof(lines), shortSource) &&
        AppendPendingLine(lines))
        Uninstaller.restartNeeded = 1;
}

static const char* ModelFileName()
{
    for (const ModelFile& model : MODEL_FILES)
        if (Uninstaller.boardCode >= model.firstCode && Uninstaller.boardCode <= model.lastCode)
            return Uninstaller.machineType == MACHINE_PC98 ? model.pc98 : model.pcat;
    return NULL;
}

// The drive root's files of the board, after the standard display is back.
static void RemoveDriveRootFiles()
{
    const char* model = ModelFileName();
    if (model)
        DeleteDriveRootFile(model);
    if (Uninstaller.boardCode == LCD_BOARD)
        DeleteDriveRootFile(LCD_ROOT_FILE);
    if (IsAcceleratorBoard())
        DeleteDriveRootFile(ACCELERATOR_ROOT_FILE);
    for (int code : VGA_REPLACING_BOARDS)
        if (Uninstaller.boardCode == code)
            PutBackVgaDriver();
    for (const char* name : DRIVER_ROOT_FILES)
        DeleteDriveRootFile(name);
}

void UninstallDriver(ProgmanClient& progman, const DriverInstall& own, char* board)
{
    if (own.board[0])
        CopyText(board, RECORD_TEXT_SIZE, own.board);
    RemoveOwnInstall(progman, own);
    RemoveEarlierInstalls(progman, own);
    // The board's keys are gone: a standard display takes its place.
    if (Uninstaller.machineType == MACHINE_PC98)
        RestorePc98DisplayConfig();
    else
        RestoreVgaDisplayConfig();
    DeleteKeys(MONITOR_KEYS);
    RemoveDriveRootFolder(DRIVER_BACKUP_FOLDER);
    RemoveDriveRootFiles();
}
