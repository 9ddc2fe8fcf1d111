// The uninstall sequence and its utility half.
#include "uninstall_sequence.h"
#include "ascii_text.h"
#include "driver_uninstall.h"
#include "file_removal.h"
#include "install_plan.h"
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
static const char UNINSTALLER_COPY[] = "\\NRXDEL.EXE";

static const char RESTART_QUESTION[] =
    "ｱﾝｲﾝｽﾄｰﾙが終了しました。\nｱﾝｲﾝｽﾄｰﾙを完了するには再起動が必要です。\n再起動しますか？";
static const char FINISHED[] = "ｱﾝｲﾝｽﾄｰﾙが終了しました。";
static const INT_PTR DIALOG_ENDED = 1;

// The latest utility install: the one "Counter" names, or, when that key is
// missing, the highest-numbered one there is.
static bool FindLatestUtilityInstall(char* number)
{
    char counted[INSTANCE_NUMBER_SIZE], key[PATH_SIZE];
    if (ReadCounter(UTILITY_RECORDS_KEY, counted) && SubkeyPath(UTILITY_RECORDS_KEY, counted, key) &&
        KeyOpens(HKEY_LOCAL_MACHINE, key))
        return CopyText(number, INSTANCE_NUMBER_SIZE, counted);
    return RemovedInstall(UTILITY_FILE_LIST, 0, number);
}

// Whether any utility install put the "ﾚｿﾞﾙｳﾞｧ" item into the start-up group.
static bool AnyStartUpItem()
{
    char number[INSTANCE_NUMBER_SIZE], key[PATH_SIZE];
    for (int i = 0; RemovedInstall(UTILITY_FILE_LIST, i, number); ++i) {
        char startUp[RECORD_TEXT_SIZE] = "";
        if (SubkeyPath(UTILITY_RECORDS_KEY, number, key) && ReadRecord(key, START_UP_VALUE, startUp) &&
            SameTextIgnoringAsciiCase(startUp, START_UP_CHOSEN))
            return true;
    }
    return false;
}

// One utility install: its files, then its folder and group once no other
// install still names them. Reads its board key name into `board` if given.
static void RemoveUtilityInstall(ProgmanClient& progman, const char* number, char* board, bool latest)
{
    char key[PATH_SIZE], installDir[RECORD_TEXT_SIZE] = "", group[RECORD_TEXT_SIZE] = "";
    if (!SubkeyPath(UTILITY_RECORDS_KEY, number, key))
        return;
    ReadRecord(key, INST_DIR_VALUE, installDir);
    if (latest)
        ReadRecord(key, BOARD_VALUE, board);
    ReadRecord(key, FOLDER_NAME_VALUE, group);
    RemoveInstanceFiles(UTILITY_FILE_LIST, key, number);
    if (latest) {
        if (AnyStartUpItem())
            DeleteGroupItem(progman, STARTUP_GROUP, UTILITY_ITEM);
        DeleteStartMenuFile(UTILITY_SHORTCUT);
    }
    MarkInstallDone(UTILITY_FILE_LIST, number);
    RemoveSharedFiles(progman, installDir, group);
}

void UninstallUtility(ProgmanClient& progman, char* board)
{
    char latest[INSTANCE_NUMBER_SIZE] = "";
    if (FindLatestUtilityInstall(latest))
        RemoveUtilityInstall(progman, latest, board, true);
    else
        DeleteStartMenuFile(UTILITY_SHORTCUT);
    // Every earlier install, the highest number first.
    char number[INSTANCE_NUMBER_SIZE];
    for (int i = 0; RemovedInstall(UTILITY_FILE_LIST, i, number); ++i)
        if (!SameTextIgnoringAsciiCase(number, latest))
            RemoveUtilityInstall(progman, number, NULL, false);
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
    DeleteHelperLibraries();
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

// Which installs go is settled before anything goes: the driver half's
// own install first, so that without one nothing of the driver goes, its
// board's pending renames included.
static bool PlanRun(DriverInstall* own)
{
    bool driverRuns = Uninstaller.driverSelected && FindOwnInstall(own);
    PlanEveryInstallStaying();
    if (Uninstaller.utilitySelected)
        PlanEveryUtilityRemoval();
    if (driverRuns)
        PlanDriverRemoval(*own);
    return driverRuns;
}

int RunUninstall(HWND dialog)
{
    // One conversation object for the whole run, ended on the way out.
    ProgmanClient progman;
    DriverInstall own;
    bool driverRuns = PlanRun(&own);
    FilterPendingRenames(driverRuns, Uninstaller.utilitySelected, Uninstaller.boardCode);
    // The board key name read last: the driver install's when that half runs.
    char board[RECORD_TEXT_SIZE] = "";
    if (Uninstaller.utilitySelected)
        UninstallUtility(progman, board);
    int utilityInstances = CountInstances(UTILITY_RECORDS_KEY);
    if (driverRuns)
        UninstallDriver(progman, own, board);
    RemoveDriveRootFolder(BACKUP_FOLDER);
    RemoveDriveRootFolder(NORIX_FOLDER);
    RemoveSharedRecords(utilityInstances, board);
    if (KeyIsEmpty(VENDOR_KEY))
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, VENDOR_KEY);
    RemoveUninstallerCopy();
    FinishUninstall(dialog);
    return 1;
}
