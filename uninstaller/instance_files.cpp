// The files of an install, found through its records.
#include "instance_files.h"
#include "ascii_text.h"
#include "file_removal.h"
#include "install_plan.h"
#include "uninstaller_state.h"

const char NORIX_FOLDER[] = "Program Files\\NORIX";
const char BACKUP_FOLDER[] = "Program Files\\NORIX\\BACKUP";
const char UTILITY_BACKUP_FOLDER[] = "Program Files\\NORIX\\BACKUP\\UTILITY";
const char DRIVER_BACKUP_FOLDER[] = "Program Files\\NORIX\\BACKUP\\DRIVER";
const char STARTUP_GROUP[] = "ｽﾀｰﾄｱｯﾌﾟ";

static const char START_MENU[] = "\\ｽﾀｰﾄ ﾒﾆｭｰ";
static const char PROGRAMS_FOLDER[] = "\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ\\";
static const char README_FILE[] = "README.TXT";
static const char UNINSTALLER_FILE[] = "NRXDEL.EXE";
static const char UNINSTALLER_ITEM[] = "ｱﾝｲﾝｽﾄｰﾗ";
static const char README_ITEM[] = "Read Me";
static const int SHOW_NORMAL = 1;

// The directories of UninstallerState a working copy can be in.
enum Place { SYSTEM_PLACE, WINDOWS_PLACE, INF_PLACE };

struct ExtensionRoute {
    const char* extension;  // the last three characters, ASCII case ignored
    Place place;
    bool help;  // followed by the help compiler's companion file
};

static const ExtensionRoute UTILITY_ROUTES[] = {
    {"DLL", SYSTEM_PLACE, false},
    {"HLP", WINDOWS_PLACE, true},
    {"CNT", WINDOWS_PLACE, true},
    {"INI", WINDOWS_PLACE, false},
};

static const ExtensionRoute DRIVER_ROUTES[] = {
    {"DRV", SYSTEM_PLACE, false}, {"VXD", SYSTEM_PLACE, false}, {"DLL", SYSTEM_PLACE, false},
    {"INI", WINDOWS_PLACE, false}, {"CPD", WINDOWS_PLACE, false}, {"EXE", WINDOWS_PLACE, false},
    {"INF", INF_PLACE, false},
};

struct FileList {
    int length;  // values "0" to length - 1
    const ExtensionRoute* routes;
    int routeCount;
    const char* backupFolder;
};

static const FileList FILE_LISTS[] = {
    {10, UTILITY_ROUTES, sizeof(UTILITY_ROUTES) / sizeof(UTILITY_ROUTES[0]), UTILITY_BACKUP_FOLDER},
    {20, DRIVER_ROUTES, sizeof(DRIVER_ROUTES) / sizeof(DRIVER_ROUTES[0]), DRIVER_BACKUP_FOLDER},
};

// The help companions: the first listed help file leaves an .exe, later ones a .gid.
static const char FIRST_COMPANION[] = "exe";
static const char LATER_COMPANION[] = "gid";

// Bound at load time by NRXDEL.EXE, NRXVGCHG.EXE and ROTSEL's restart:
// whatever a list says, they go only with the last install of either half.
static const char* const HELPER_LIBRARIES[] = {"NRXCHG16.DLL", "NRXCHG32.DLL"};

// A listed file's working copy and its help companion.
const int MAX_WORKING_COPIES = 2;

static const char* PlaceDirectory(Place place)
{
    switch (place) {
    case SYSTEM_PLACE:
        return Uninstaller.systemDirectory;
    case INF_PLACE:
        return Uninstaller.infDirectory;
    default:
        return Uninstaller.windowsDirectory;
    }
}

// The first three characters of the Windows directory, when they are a drive root.
static bool DriveRootPath(char* path, const char* name)
{
    const char* windows = Uninstaller.windowsDirectory;
    if (!windows[0] || windows[1] != ':' || windows[2] != '\\')
        return false;
    lstrcpynA(path, windows, 4);
    return AppendText(path, PATH_SIZE, name);
}

bool FilePathIn(const char* directory, const char* name, char* path)
{
    return directory[0] && CopyText(path, PATH_SIZE, directory) && AppendText(path, PATH_SIZE, "\\") &&
           AppendText(path, PATH_SIZE, name);
}

void DeleteFileIn(const char* directory, const char* name)
{
    char path[PATH_SIZE];
    if (FilePathIn(directory, name, path))
        DeleteFileOrSchedule(path);
}

void DeleteDriveRootFile(const char* name)
{
    char path[PATH_SIZE];
    if (DriveRootPath(path, name))
        DeleteFileOrSchedule(path);
}

void RemoveDriveRootFolder(const char* folder)
{
    char path[PATH_SIZE];
    if (DriveRootPath(path, folder))
        RemoveDirectoryA(path);
}

void DeleteStartMenuFile(const char* name)
{
    char path[PATH_SIZE], shortPath[PATH_SIZE];
    if (WindowsFilePath(path, sizeof(path), START_MENU) && AppendText(path, sizeof(path), name) &&
        ShortPathOf(path, shortPath))
        DeleteFileOrSchedule(shortPath);
}

// "<Windows directory>\ｽﾀｰﾄ ﾒﾆｭｰ\ﾌﾟﾛｸﾞﾗﾑ\<group>" + `name`.
static bool GroupFolderPath(const char* group, const char* name, char* path)
{
    return IsGroupName(group) && WindowsFilePath(path, PATH_SIZE, PROGRAMS_FOLDER) &&
           AppendText(path, PATH_SIZE, group) && AppendText(path, PATH_SIZE, name);
}

void DeleteGroupFolderFile(const char* group, const char* name)
{
    char path[PATH_SIZE], shortPath[PATH_SIZE];
    if (GroupFolderPath(group, name, path) && ShortPathOf(path, shortPath))
        DeleteFileOrSchedule(shortPath);
}

static const ExtensionRoute* RouteOf(const FileList& list, const char* name)
{
    const char* extension = name + lstrlenA(name) - 3;
    for (int i = 0; i < list.routeCount; ++i)
        if (SameTextIgnoringAsciiCase(extension, list.routes[i].extension))
            return &list.routes[i];
    return NULL;
}

// `name` with its last `count` characters replaced by `ending`.
static bool ReplaceEnding(const char* name, int count, const char* ending, char* result)
{
    int kept = lstrlenA(name) - count;
    if (kept < 0 || kept >= PATH_SIZE)
        return false;
    lstrcpynA(result, name, kept + 1);
    return AppendText(result, PATH_SIZE, ending);
}

static void DeleteBackupCopy(const FileList& list, const char* name, const char* number)
{
    char backupName[PATH_SIZE], folder[PATH_SIZE];
    if (ReplaceEnding(name, 2, number, backupName) && DriveRootPath(folder, list.backupFolder))
        DeleteFileIn(folder, backupName);
}

// The working copies of a listed file where the list's routing puts them,
// its help companion included: how many (0 for a name routed nowhere).
static int WorkingCopies(const FileList& list, const char* name, bool* helpSeen, char (*paths)[PATH_SIZE])
{
    const ExtensionRoute* route = RouteOf(list, name);
    if (!route)
        return 0;
    int count = FilePathIn(PlaceDirectory(route->place), name, paths[0]) ? 1 : 0;
    if (!route->help)
        return count;
    char companion[PATH_SIZE];
    const char* ending = *helpSeen ? LATER_COMPANION : FIRST_COMPANION;
    *helpSeen = true;
    if (ReplaceEnding(name, 3, ending, companion) && FilePathIn(Uninstaller.windowsDirectory, companion, paths[count]))
        ++count;
    return count;
}

// Whether an install that stays after the run has `path` as a working copy.
static bool StayingInstallHas(const char* path)
{
    if (!PlanIsComplete())
        return true;
    FileListKind kind;
    char key[PATH_SIZE];
    for (int i = 0; StayingInstall(i, &kind, key); ++i) {
        const FileList& list = FILE_LISTS[kind];
        bool helpSeen = false;
        for (int value = 0; value < list.length; ++value) {
            char valueName[16], name[RECORD_TEXT_SIZE], copies[MAX_WORKING_COPIES][PATH_SIZE];
            wsprintfA(valueName, "%d", value);
            if (!ReadRecord(key, valueName, name))
                break;
            int count = IsFileName(name) ? WorkingCopies(list, name, &helpSeen, copies) : 0;
            for (int c = 0; c < count; ++c)
                if (SameTextIgnoringAsciiCase(copies[c], path))
                    return true;
        }
    }
    return false;
}

static bool IsHelperLibrary(const char* name)
{
    for (const char* library : HELPER_LIBRARIES)
        if (SameTextIgnoringAsciiCase(name, library))
            return true;
    return false;
}

// The working copies go unless an install that stays uses them too.
static void DeleteWorkingCopies(const FileList& list, const char* name, bool* helpSeen)
{
    char copies[MAX_WORKING_COPIES][PATH_SIZE];
    int count = WorkingCopies(list, name, helpSeen, copies);
    if (IsHelperLibrary(name) && AnyInstallStays())
        return;
    for (int c = 0; c < count; ++c)
        if (!StayingInstallHas(copies[c]))
            DeleteFileOrSchedule(copies[c]);
}

// Walks the list until the first value that cannot be read; a value that is
// not a bare file name is passed over, never turned into a path.
void RemoveInstanceFiles(FileListKind kind, const char* instanceKey, const char* number)
{
    const FileList& list = FILE_LISTS[kind];
    bool helpSeen = false;
    for (int i = 0; i < list.length; ++i) {
        char valueName[16], name[RECORD_TEXT_SIZE];
        wsprintfA(valueName, "%d", i);
        if (!ReadRecord(instanceKey, valueName, name))
            return;
        if (!IsFileName(name))
            continue;
        DeleteWorkingCopies(list, name, &helpSeen);
        DeleteBackupCopy(list, name, number);
    }
}

void DeleteHelperLibraries()
{
    for (const char* name : HELPER_LIBRARIES)
        DeleteFileIn(Uninstaller.systemDirectory, name);
}

void DeleteGroupItem(ProgmanClient& progman, const char* group, const char* item)
{
    if (!progman.Connect())
        return;
    progman.ShowGroup(group, SHOW_NORMAL);
    progman.DeleteItem(item);
    progman.Disconnect();
}

void RemoveSharedFiles(ProgmanClient& progman, const char* installDir, const char* group)
{
    // An empty or relative directory would name the files of some other folder.
    if (IsInstallDirectory(installDir) && !FolderStillNamed(installDir)) {
        DeleteFileIn(installDir, README_FILE);
        DeleteFileIn(installDir, UNINSTALLER_FILE);
        RemoveDirectoryA(installDir);
    }
    if (!IsGroupName(group) || GroupStillNamed(group))
        return;
    if (progman.Connect()) {
        progman.ShowGroup(group, SHOW_NORMAL);
        progman.DeleteItem(UNINSTALLER_ITEM);
        progman.DeleteItem(README_ITEM);
        progman.Disconnect();
    }
    char path[PATH_SIZE], shortPath[PATH_SIZE];
    if (GroupFolderPath(group, "", path) && ShortPathOf(path, shortPath))
        RemoveDirectoryA(shortPath);
}
