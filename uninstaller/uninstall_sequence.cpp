// The uninstall sequence and its utility half.
#include "uninstall_sequence.h"
#include "ascii_text.h"
#include "driver_uninstall.h"
#include "file_removal.h"
#include "install_records.h"
#include "instance_files.h"
#include "nrxchg32.h"
#include "pending_renames.h"
#include "registry_removal.h"
#include "uninstaller_state.h"

static const char UTILITY_ITEM[] = "ﾚｿﾞﾙｳﾞｧ";
static const char UTILITY_SHORTCUT[] = "\\ﾚｿﾞﾙｳﾞｧ.LNK";
static const char START_UP_CHOSEN[] = "1";
// In the drive root, in this order.
static const char* const UTILITY_ROOT_FILES[] = {"NRXVGCHG.NRX", "NRXCHG16.NRX", "NRXCHG32.NRX"};
// In the system directory, once neither half is installed.
static const char* const SHARED_LIBRARIES[] = {"NRXCHG16.DLL", "NRXCHG32.DLL"};
static const char UNINSTALLER_COPY[] = "\\NRXDEL.EXE";

static const char RESTART_QUESTION[] =
    "ｱﾝｲﾝｽﾄｰﾙが終了しました。\nｱﾝｲﾝｽﾄｰﾙを完了するには再起動が必要です。\n再起動しますか？";
static const char FINISHED[] = "ｱﾝｲﾝｽﾄｰﾙが終了しました。";
static const INT_PTR DIALOG_ENDED = 1;

void UninstallUtility(ProgmanClient& progman, int driverInstances, char* board)
{
    char number[INSTANCE_NUMBER_SIZE], key[PATH_SIZE];
    bool latest = ReadCounter(UTILITY_RECORDS_KEY, number) && SubkeyPath(UTILITY_RECORDS_KEY, number, key);
    char installDir[RECORD_TEXT_SIZE] = "", group[RECORD_TEXT_SIZE] = "", startUp[RECORD_TEXT_SIZE] = "";
    if (latest) {
        ReadRecord(key, INST_DIR_VALUE, installDir);
        ReadRecord(key, BOARD_VALUE, board);
        ReadRecord(key, FOLDER_NAME_VALUE, group);
        ReadRecord(key, START_UP_VALUE, startUp);
        if (KeyOpens(HKEY_LOCAL_MACHINE, key))
            RemoveInstanceFiles(UTILITY_FILE_LIST, key, number);
        if (SameTextIgnoringAsciiCase(startUp, START_UP_CHOSEN))
            DeleteGroupItem(progman, STARTUP_GROUP, UTILITY_ITEM);
    }
    DeleteStartMenuFile(UTILITY_SHORTCUT);
    // With a driver installed, the shared files are left to its half.
    if (latest && driverInstances == 0)
        RemoveSharedFiles(progman, installDir, group);
    // Backups of every earlier install; their working copies were replaced
    // by the latest install's.
    for (int k = latest ? ParseInstanceNumber(number) : -1; k >= 0; --k) {
        char earlier[INSTANCE_NUMBER_SIZE], earlierKey[PATH_SIZE];
        FormatInstanceNumber(k, earlier);
        if (SubkeyPath(UTILITY_RECORDS_KEY, earlier, earlierKey) && KeyOpens(HKEY_LOCAL_MACHINE, earlierKey))
            RemoveBackupCopies(UTILITY_FILE_LIST, earlierKey, earlier);
    }
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, UTILITY_RECORDS_KEY);
    RemoveDriveRootFolder(UTILITY_BACKUP_FOLDER);
    for (const char* name : UTILITY_ROOT_FILES)
        DeleteDriveRootFile(name);
}

// True when HKEY_LOCAL_MACHINE `key` opens and has no subkey.
static bool KeyIsEmpty(const char* key)
{
    HKEY opened;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    char name[PATH_SIZE];
    bool empty = RegEnumKeyA(opened, 0, name, sizeof(name)) != ERROR_SUCCESS;
    RegCloseKey(opened);
    return empty;
}

// Once neither half has an install left: the records, the board key and the
// helper libraries both halves used.
static void RemoveSharedRecords(int utilityInstances, const char* board)
{
    if (CountInstances(DRIVER_RECORDS_KEY) != 0)
        return;
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, DRIVER_RECORDS_KEY);
    if (utilityInstances != 0)
        return;
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, INSTALL_KEY);
    DeleteBoardKey(VENDOR_KEY, board);
    for (const char* name : SHARED_LIBRARIES)
        DeleteFileIn(Uninstaller.systemDirectory, name);
}

// The running program's own copy, and the start directory it recorded.
static void RemoveUninstallerCopy()
{
    char path[PATH_SIZE];
    if (WindowsFilePath(path, sizeof(path), UNINSTALLER_COPY))
        DeleteFileOrSchedule(path);
    HKEY key;  // HKLM\SOFTWARE\NORIX\DISPLAY
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, INSTALL_KEY, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, BOOT_DIR_VALUE);
        RegCloseKey(key);
    }
}

// Tells the user the uninstall is over and ends the dialog; a restart, when
// one is needed and the user agrees, comes after the dialog has ended.
static void FinishUninstall(HWND dialog)
{
    if (!Uninstaller.restartNeeded) {
        MessageBoxA(dialog, FINISHED, UNINSTALL_CAPTION, MB_OK | MB_ICONINFORMATION);
        EndDialog(dialog, DIALOG_ENDED);
        return;
    }
    int answer = MessageBoxA(dialog, RESTART_QUESTION, UNINSTALL_CAPTION, MB_OKCANCEL | MB_ICONINFORMATION);
    EndDialog(dialog, DIALOG_ENDED);
    if (answer == IDOK)
        RestartWindows();
}

int RunUninstall(HWND dialog)
{
    // One conversation object for the whole run, ended on the way out.
    ProgmanClient progman;
    FilterPendingRenames(Uninstaller.driverSelected, Uninstaller.utilitySelected, Uninstaller.boardCode);
    int driverInstances = CountInstances(DRIVER_RECORDS_KEY);
    // The board key name read last: the driver install's when that half runs.
    char board[RECORD_TEXT_SIZE] = "";
    if (Uninstaller.utilitySelected)
        UninstallUtility(progman, driverInstances, board);
    int utilityInstances = CountInstances(UTILITY_RECORDS_KEY);
    if (Uninstaller.driverSelected)
        UninstallDriver(progman, utilityInstances, board);
    RemoveDriveRootFolder(BACKUP_FOLDER);
    RemoveDriveRootFolder(NORIX_FOLDER);
    RemoveSharedRecords(utilityInstances, board);
    if (KeyIsEmpty(VENDOR_KEY))
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, VENDOR_KEY);
    RemoveUninstallerCopy();
    FinishUninstall(dialog);
    return 1;
}
