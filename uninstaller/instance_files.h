// The files of an install: the listed files with their backup copies, the
// install directory's shared files and group items, the shortcuts under the
// Start menu and the files in the drive root.
#ifndef NRXDEL_INSTANCE_FILES_H
#define NRXDEL_INSTANCE_FILES_H

#include "install_records.h"
#include "progman_client.h"

// Below the drive root.
extern const char NORIX_FOLDER[];   // "Program Files\NORIX"
extern const char BACKUP_FOLDER[];  // "Program Files\NORIX\BACKUP"
extern const char UTILITY_BACKUP_FOLDER[];
extern const char DRIVER_BACKUP_FOLDER[];
// The Program Manager group whose items start with Windows.
extern const char STARTUP_GROUP[];  // "ｽﾀｰﾄｱｯﾌﾟ"

// Deletes every listed file of instance `number` (key `instanceKey`): its
// working copy where the extension routes it, unless an install that stays
// has it too (NRXCHG16.DLL and NRXCHG32.DLL unless no install stays), then
// its backup copy.
void RemoveInstanceFiles(FileListKind kind, const char* instanceKey, const char* number);
// README.TXT and NRXDEL.EXE of the install directory and the directory, the
// group's uninstaller and read-me items, and the group's Start menu folder
// once empty; the folder's once no install still names it, the group's
// likewise (the install itself must be marked done first).
void RemoveSharedFiles(ProgmanClient& progman, const char* installDir, const char* group);
// NRXCHG16.DLL and NRXCHG32.DLL of the system directory, once no install is left.
void DeleteHelperLibraries();
// Shows `group` and deletes `item` in it, when Program Manager answers.
void DeleteGroupItem(ProgmanClient& progman, const char* group, const char* item);

// `directory` + "\" + `name` into `path` (PATH_SIZE bytes); false for an
// unknown (empty) directory or a path that does not fit.
bool FilePathIn(const char* directory, const char* name, char* path);
// `directory` + "\" + `name`, deleted now or at the next start.
void DeleteFileIn(const char* directory, const char* name);
// The drive root's file `name`.
void DeleteDriveRootFile(const char* name);
// Removes the drive root's folder `folder` when it is empty.
void RemoveDriveRootFolder(const char* folder);
// The Start menu's file `name` (which starts with a backslash), by its short
// path; nothing when it is not there.
void DeleteStartMenuFile(const char* name);
// The Start menu's folder "ﾌﾟﾛｸﾞﾗﾑ\<group>" + `name`, by its short path.
void DeleteGroupFolderFile(const char* group, const char* name);

#endif
