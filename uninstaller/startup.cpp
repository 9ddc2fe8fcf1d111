// Start-up of the uninstaller: relocation, board identification, dialog.
#include "startup.h"
#include "ascii_text.h"
#include "board.h"
#include "registry_removal.h"
#include "selection_dialog.h"
#include "uninstaller_state.h"

static const char PROGRAM_FILE[] = "\\NRXDEL.EXE";
static const char INF_FOLDER[] = "\\INF";

static const char CANNOT_START[] = "ｱﾝｲﾝｽﾄｰﾗを起動できません。\nｱﾝｲﾝｽﾄｰﾙを中止します。";
static const char CANNOT_SET_DIRECTORY[] = "カレントディレクトリをセットできません。\nｱﾝｲﾝｽﾄｰﾙを中止します。";

// WinExec results up to this are errors.
static const UINT WINEXEC_LAST_ERROR = 30;

static const int EXIT_FAILED = 0;
static const int EXIT_DONE = 1;

static int Fail(const char* message)
{
    MessageBoxA(NULL, message, UNINSTALL_CAPTION, MB_OK | MB_ICONERROR);
    return EXIT_FAILED;
}

// A directory as the system gives it; empty when it would not fit.
static void GetDirectory(UINT (WINAPI* get)(LPSTR, UINT), char* directory)
{
    UINT length = get(directory, PATH_SIZE);
    if (length == 0 || length >= (UINT)PATH_SIZE)
        directory[0] = '\0';
}

static UINT WINAPI CurrentDirectory(LPSTR buffer, UINT size)
{
    return GetCurrentDirectoryA(size, buffer);
}

// HKLM\Software\NORIX\DISPLAY "BootDir": only where an installer made the key.
static void RecordBootDir()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, INSTALL_KEY, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    // The whole buffer goes: the path, then NUL bytes.
    char data[PATH_SIZE];
    ZeroMemory(data, sizeof(data));
    lstrcpynA(data, Uninstaller.startDirectory, sizeof(data));
    RegSetValueExA(key, BOOT_DIR_VALUE, 0, REG_SZ, (const BYTE*)data, sizeof(data));
    RegCloseKey(key);
}

// directory + "\NRXDEL.EXE"; false for an unknown (empty) directory.
static bool ProgramPath(char* path, const char* directory)
{
    return directory[0] && CopyText(path, PATH_SIZE, directory) && AppendText(path, PATH_SIZE, PROGRAM_FILE);
}

int RelocateToWindowsDir()
{
    RecordBootDir();
    // The program file is the one in the start directory, wherever this
    // process was loaded from.
    char source[PATH_SIZE], target[PATH_SIZE];
    if (!ProgramPath(source, Uninstaller.startDirectory) ||
        !ProgramPath(target, Uninstaller.windowsDirectory) || !CopyFileA(source, target, FALSE))
        return Fail(CANNOT_START);
    // The copy inherits it and so knows itself as the relocated one.
    if (!SetCurrentDirectoryA(Uninstaller.windowsDirectory))
        return Fail(CANNOT_SET_DIRECTORY);
    if (LOWORD(WinExec(target, SW_SHOW)) <= WINEXEC_LAST_ERROR)
        return Fail(CANNOT_START);
    return EXIT_DONE;
}

void IdentifyBoard()
{
    // A missing or unreadable value leaves BootDir empty: no model matches.
    ReadRegistryString(HKEY_LOCAL_MACHINE, INSTALL_KEY, BOOT_DIR_VALUE, Uninstaller.bootDir,
                       sizeof(Uninstaller.bootDir));
    // Without a recognised model the id stays empty, which every present
    // device begins with: a restart is then offered, the safe side.
    char hardwareId[HARDWARE_ID_SIZE] = "";
    Uninstaller.boardCode = MatchBoardModel(Uninstaller.bootDir, hardwareId, sizeof(hardwareId));
    Uninstaller.machineType = DetectMachineType();
    if (!FindBoardDevice(hardwareId))
        Uninstaller.restartNeeded = 0;
}

void LoadSystemDirectories()
{
    GetDirectory(GetWindowsDirectoryA, Uninstaller.windowsDirectory);
    GetDirectory(GetSystemDirectoryA, Uninstaller.systemDirectory);
    if (!CopyText(Uninstaller.infDirectory, PATH_SIZE, Uninstaller.windowsDirectory) ||
        !AppendText(Uninstaller.infDirectory, PATH_SIZE, INF_FOLDER))
        Uninstaller.infDirectory[0] = '\0';
}

int RunUninstaller(HINSTANCE instance)
{
    GetDirectory(CurrentDirectory, Uninstaller.startDirectory);
    GetDirectory(GetWindowsDirectoryA, Uninstaller.windowsDirectory);
    if (!SameTextIgnoringAsciiCase(Uninstaller.startDirectory, Uninstaller.windowsDirectory))
        return RelocateToWindowsDir();
    IdentifyBoard();
    LoadSystemDirectories();
    Uninstaller.instance = instance;
    ShowSelectionDialog();
    return EXIT_DONE;
}
