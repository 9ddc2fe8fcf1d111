// File removal of the uninstall: delete a file now, or have Windows delete
// it at its next start through "wininit.ini" in the Windows directory.
#ifndef NRXDEL_FILE_REMOVAL_H
#define NRXDEL_FILE_REMOVAL_H

#include <windows.h>

// `path` becomes the Windows directory followed by `name` (which starts with
// a backslash); false when that would not fit `size`.
bool WindowsFilePath(char* path, int size, const char* name);
// "wininit.ini" in the Windows directory; false when the path would not fit.
bool PendingFilePath(char* path, int size);
// Writes all `length` bytes at the file pointer; false when not all went.
bool WriteBytes(HANDLE file, const char* data, DWORD length);
// True when `path` exists with the read-only attribute. Windows refuses to
// write such a file; a user allowed to write it anyway (Wine run by root)
// must still find it as protected as Windows keeps it.
bool IsReadOnlyFile(const char* path);
// Appends `line` and CR LF to "wininit.ini", creating the file if needed; a
// last line without its line end gets one first, so that it stays a line of
// its own. False when the file is read-only or cannot be opened or written.
bool AppendPendingLine(const char* line);
// The 8.3 form of the existing `path` into `shortPath` (PATH_SIZE bytes);
// false when the file is not there or the form does not fit.
bool ShortPathOf(const char* path, char* shortPath);
// Deletes `path`. A file that exists but cannot be deleted now (it is in
// use) gets a "NUL=" line with its short path and sets RestartNeeded; a file
// that cannot be opened for reading is taken as gone.
void DeleteFileOrSchedule(const char* path);

#endif
