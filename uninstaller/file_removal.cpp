// File removal of the uninstall, now or at the next start of Windows.
#include "file_removal.h"
#include "ascii_text.h"
#include "uninstaller_state.h"

static const char PENDING_FILE[] = "\\wininit.ini";
static const char LINE_END[] = "\r\n";
static const char DELETE_PREFIX[] = "NUL=";

// Windows 95 takes no FILE_SHARE_DELETE; others may read and write meanwhile.
static const DWORD SHARE_READ_WRITE = FILE_SHARE_READ | FILE_SHARE_WRITE;

bool WindowsFilePath(char* path, int size, const char* name)
{
    char formed[PATH_SIZE];
    if (!CopyText(formed, sizeof(formed), Uninstaller.windowsDirectory) ||
        !AppendText(formed, sizeof(formed), name))
        return false;
    return CopyText(path, size, formed);
}

bool PendingFilePath(char* path, int size)
{
    return WindowsFilePath(path, size, PENDING_FILE);
}

bool WriteBytes(HANDLE file, const char* data, DWORD length)
{
    DWORD written = 0;
    return WriteFile(file, data, length, &written, NULL) && written == length;
}

// True when the file is empty or its last byte ends a line.
static bool EndsWithLineEnd(HANDLE file)
{
    if (GetFileSize(file, NULL) == 0)
        return true;
    char last = 0;
    DWORD read = 0;
    if (SetFilePointer(file, -1, NULL, FILE_END) == INVALID_SET_FILE_POINTER ||
        !ReadFile(file, &last, 1, &read, NULL) || read != 1)
        return true;  // nothing to repair that can be seen
    return last == '\n' || last == '\r';
}

bool IsReadOnlyFile(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool AppendPendingLine(const char* line)
{
    char path[PATH_SIZE];
    if (!PendingFilePath(path, sizeof(path)) || IsReadOnlyFile(path))
        return false;
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, SHARE_READ_WRITE, NULL,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool lineStarts = EndsWithLineEnd(file);
    bool written = SetFilePointer(file, 0, NULL, FILE_END) != INVALID_SET_FILE_POINTER &&
                   (lineStarts || WriteBytes(file, LINE_END, 2)) &&
                   WriteBytes(file, line, lstrlenA(line)) && WriteBytes(file, LINE_END, 2);
    CloseHandle(file);
    return written;
}

bool ShortPathOf(const char* path, char* shortPath)
{
    DWORD length = GetShortPathNameA(path, shortPath, PATH_SIZE);
    return length > 0 && length < (DWORD)PATH_SIZE;
}

void DeleteFileOrSchedule(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, SHARE_READ_WRITE, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(file);
    if (DeleteFileA(path))
        return;
    // Windows 95 carries out "wininit.ini" before long names exist: 8.3 only.
    char shortPath[PATH_SIZE];
    char line[sizeof(DELETE_PREFIX) + PATH_SIZE];
    if (ShortPathOf(path, shortPath) && CopyText(line, sizeof(line), DELETE_PREFIX) &&
        AppendText(line, sizeof(line), shortPath))
        AppendPendingLine(line);
    Uninstaller.restartNeeded = 1;
}
