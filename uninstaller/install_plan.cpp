// The plan of a run: the install keys of both halves, whether each goes
// with the run and whether it has been dealt with.
#include "install_plan.h"
#include "ascii_text.h"
#include "uninstaller_state.h"

// Room for every install of both halves; more keys, or a name longer than
// an instance number, leave the plan incomplete.
static const int PLAN_SIZE = 256;
static const int PLANNED_NUMBER_SIZE = 16;

struct PlannedInstall {
    char number[PLANNED_NUMBER_SIZE];
    FileListKind kind;
    bool removed;
    bool done;
    // Hashes of its "InstDir" and "FolderName"; a match is read again to be sure.
    DWORD folder;
    DWORD group;
};

static PlannedInstall Planned[PLAN_SIZE];
static int PlannedCount;
static bool Incomplete;

static const char* RecordsKey(FileListKind kind)
{
    return kind == UTILITY_FILE_LIST ? UTILITY_RECORDS_KEY : DRIVER_RECORDS_KEY;
}

// FNV-1a over the text with ASCII capitals in small letters, never inside a
// double-byte character: equal texts, ASCII case ignored, hash alike.
static DWORD TextHash(const char* text)
{
    DWORD hash = 2166136261u;
    for (; *text; ++text) {
        BYTE c = (BYTE)*text;
        if (IsDBCSLeadByte(c) && text[1]) {
            hash = (hash ^ c) * 16777619u;
            c = (BYTE)*++text;
        } else if (c >= 'A' && c <= 'Z') {
            c = (BYTE)(c - 'A' + 'a');
        }
        hash = (hash ^ c) * 16777619u;
    }
    return hash;
}

static DWORD RecordHash(const char* key, const char* name)
{
    char text[RECORD_TEXT_SIZE] = "";
    ReadRecord(key, name, text);
    return TextHash(text);
}

// Utility installs first, each half by number from the highest down.
static bool ComesBefore(const PlannedInstall& a, const PlannedInstall& b)
{
    if (a.kind != b.kind)
        return a.kind == UTILITY_FILE_LIST;
    return ParseInstanceNumber(a.number) > ParseInstanceNumber(b.number);
}

static void AddInstall(FileListKind kind, const char* number)
{
    PlannedInstall install;
    char key[PATH_SIZE];
    ZeroMemory(&install, sizeof(install));
    if (!CopyText(install.number, sizeof(install.number), number) ||
        !SubkeyPath(RecordsKey(kind), number, key)) {
        Incomplete = true;
        return;
    }
    install.kind = kind;
    install.folder = RecordHash(key, INST_DIR_VALUE);
    install.group = RecordHash(key, FOLDER_NAME_VALUE);
    int at = PlannedCount++;
    for (; at > 0 && ComesBefore(install, Planned[at - 1]); --at)
        Planned[at] = Planned[at - 1];
    Planned[at] = install;
}

static void AddInstallsOf(FileListKind kind)
{
    HKEY records;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, RecordsKey(kind), 0, KEY_READ, &records) != ERROR_SUCCESS)
        return;
    char name[PATH_SIZE];
    for (DWORD index = 0;; ++index) {
        LONG result = RegEnumKeyA(records, index, name, sizeof(name));
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        // A key it cannot name or hold is an install the plan cannot vouch for.
        if (result != ERROR_SUCCESS || PlannedCount == PLAN_SIZE) {
            Incomplete = true;
            break;
        }
        AddInstall(kind, name);
    }
    RegCloseKey(records);
}

static PlannedInstall* Find(FileListKind kind, const char* number)
{
    for (int i = 0; i < PlannedCount; ++i)
        if (Planned[i].kind == kind && SameTextIgnoringAsciiCase(Planned[i].number, number))
            return &Planned[i];
    return NULL;
}

void PlanEveryInstallStaying()
{
    PlannedCount = 0;
    Incomplete = false;
    AddInstallsOf(UTILITY_FILE_LIST);
    AddInstallsOf(DRIVER_FILE_LIST);
}

void PlanRemoval(FileListKind kind, const char* number)
{
    PlannedInstall* install = Find(kind, number);
    if (install)
        install->removed = true;
}

void PlanEveryUtilityRemoval()
{
    for (int i = 0; i < PlannedCount; ++i)
        if (Planned[i].kind == UTILITY_FILE_LIST)
            Planned[i].removed = true;
}

bool RemovedInstall(FileListKind kind, int index, char* number)
{
    for (int i = 0; i < PlannedCount; ++i)
        if (Planned[i].kind == kind && Planned[i].removed && index-- == 0)
            return CopyText(number, INSTANCE_NUMBER_SIZE, Planned[i].number);
    return false;
}

void MarkInstallDone(FileListKind kind, const char* number)
{
    PlannedInstall* install = Find(kind, number);
    if (install)
        install->done = true;
}

bool AnyInstallStays()
{
    for (int i = 0; i < PlannedCount; ++i)
        if (!Planned[i].removed)
            return true;
    return Incomplete;
}

bool StayingInstall(int index, FileListKind* kind, char* key)
{
    for (int i = 0; i < PlannedCount; ++i)
        if (!Planned[i].removed && index-- == 0) {
            *kind = Planned[i].kind;
            return SubkeyPath(RecordsKey(Planned[i].kind), Planned[i].number, key);
        }
    return false;
}

// Whether an install not yet dealt with has `text` as its value `name`.
static bool StillNamed(const char* name, const char* text, bool folder)
{
    if (Incomplete)
        return true;
    DWORD hash = TextHash(text);
    for (int i = 0; i < PlannedCount; ++i) {
        const PlannedInstall& install = Planned[i];
        char key[PATH_SIZE], value[RECORD_TEXT_SIZE] = "";
        if (install.done || (folder ? install.folder : install.group) != hash ||
            !SubkeyPath(RecordsKey(install.kind), install.number, key))
            continue;
        if (ReadRecord(key, name, value) && SameTextIgnoringAsciiCase(value, text))
            return true;
    }
    return false;
}

bool FolderStillNamed(const char* installDir)
{
    return StillNamed(INST_DIR_VALUE, installDir, true);
}

bool GroupStillNamed(const char* group)
{
    return StillNamed(FOLDER_NAME_VALUE, group, false);
}

bool PlanIsComplete()
{
    return !Incomplete;
}
