// The install records of the driver and utility installers.
#include "install_records.h"
#include "ascii_text.h"
#include "registry_removal.h"
#include "uninstaller_state.h"

const char VENDOR_KEY[] = "Software\\NORIX";
const char COUNTER_VALUE[] = "Counter";
const char INST_DIR_VALUE[] = "InstDir";
const char BOARD_VALUE[] = "Board";
const char FOLDER_NAME_VALUE[] = "FolderName";
const char START_UP_VALUE[] = "StartUp";
const char DEVICE_NO_VALUE[] = "DeviceNo";
const char DEVICE_NO2_VALUE[] = "DeviceNo2";

// The part of "SOFTWARE\NORIX\DISPLAY" below "Software\NORIX".
static const char RECORDS_BOARD_NAME[] = "DISPLAY";

// Characters that would make a group name a path or end a DDE command.
static const char NOT_IN_GROUP_NAMES[] = "\\/:*?\"<>|[]";
static const char NOT_IN_FILE_NAMES[] = "\\/:*?\"<>|";

void FormatInstanceNumber(int number, char* text)
{
    wsprintfA(text, number >= 0 && number < 10 ? "0%d" : "%d", number);
}

int ParseInstanceNumber(const char* text)
{
    bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    int value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        if (value <= HIGHEST_INSTANCE_NUMBER)
            value = value * 10 + (*text - '0');
    if (value > HIGHEST_INSTANCE_NUMBER)
        value = HIGHEST_INSTANCE_NUMBER;
    return negative ? -value : value;
}

bool ReadCounter(const char* recordsKey, char* number)
{
    char counter[RECORD_TEXT_SIZE] = "";
    if (!ReadRecord(recordsKey, COUNTER_VALUE, counter) || !counter[0])
        return false;
    number[0] = '\0';
    if (lstrlenA(counter) == 1)
        CopyText(number, INSTANCE_NUMBER_SIZE, "0");
    return AppendText(number, INSTANCE_NUMBER_SIZE, counter);
}

bool SubkeyPath(const char* parent, const char* name, char* path)
{
    return CopyText(path, PATH_SIZE, parent) && AppendText(path, PATH_SIZE, "\\") &&
           AppendText(path, PATH_SIZE, name);
}

void DeleteNamedKey(const char* parent, const char* name)
{
    char path[PATH_SIZE];
    if (IsKeyName(name) && SubkeyPath(parent, name, path))
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, path);
}

bool ReadRecord(const char* key, const char* name, char* text)
{
    return ReadRegistryString(HKEY_LOCAL_MACHINE, key, name, text, RECORD_TEXT_SIZE);
}

void DeleteBoardKey(const char* parent, const char* board)
{
    if (IsBoardName(board))
        DeleteNamedKey(parent, board);
}

bool KeyOpens(HKEY root, const char* key)
{
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

int CountInstances(const char* key)
{
    HKEY opened;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return 0;
    int count = 0;
    char name[PATH_SIZE];
    while (count < MAX_INSTANCES && RegEnumKeyA(opened, count, name, sizeof(name)) == ERROR_SUCCESS)
        ++count;
    RegCloseKey(opened);
    return count;
}

// The next character of a cp932 text: a double-byte one is passed over whole,
// so that its second byte is never taken for a backslash or bracket.
static const char* NextCharacter(const char* text)
{
    return IsDBCSLeadByte((BYTE)text[0]) && text[1] ? text + 2 : text + 1;
}

static bool IsOneOf(char c, const char* set)
{
    for (; *set; ++set)
        if (c == *set)
            return true;
    return false;
}

static bool HasSingleByteOf(const char* text, const char* set)
{
    for (; *text; text = NextCharacter(text))
        if (!IsDBCSLeadByte((BYTE)*text) && IsOneOf(*text, set))
            return true;
    return false;
}

// The number of backslash-separated parts; 0 when one of them is empty.
static int KeyParts(const char* text)
{
    if (!*text)
        return 0;
    int parts = 1;
    bool partEmpty = true;
    for (; *text; text = NextCharacter(text)) {
        if (*text != '\\') {
            partEmpty = false;
            continue;
        }
        if (partEmpty)
            return 0;
        ++parts;
        partEmpty = true;
    }
    return partEmpty ? 0 : parts;
}

bool IsKeyName(const char* text)
{
    return KeyParts(text) > 0;
}

bool IsBoardName(const char* text)
{
    char records[sizeof(RECORDS_BOARD_NAME) + 1];
    CopyText(records, sizeof(records), RECORDS_BOARD_NAME);
    AppendText(records, sizeof(records), "\\");
    return IsKeyName(text) && !SameTextIgnoringAsciiCase(text, RECORDS_BOARD_NAME) &&
           !StartsWithIgnoringAsciiCase(text, records);
}

bool IsDeviceInstance(const char* text)
{
    return KeyParts(text) >= 3;
}

static bool IsDotName(const char* text)
{
    return SameTextIgnoringAsciiCase(text, ".") || SameTextIgnoringAsciiCase(text, "..");
}

bool IsFileName(const char* text)
{
    return lstrlenA(text) >= 3 && !IsDotName(text) && !HasSingleByteOf(text, NOT_IN_FILE_NAMES);
}

bool IsGroupName(const char* text)
{
    return text[0] && !IsDotName(text) && !HasSingleByteOf(text, NOT_IN_GROUP_NAMES);
}

bool IsInstallDirectory(const char* text)
{
    bool driveFolder = ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z')) &&
                       text[1] == ':' && text[2] == '\\' && text[3];
    bool share = text[0] == '\\' && text[1] == '\\' && text[2];
    return driveFolder || share;
}
