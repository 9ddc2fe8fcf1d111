// The install records the driver and utility installers left under
// HKEY_LOCAL_MACHINE "SOFTWARE\NORIX\DISPLAY": instance numbers and keys,
// their values, and the checks that keep a record's text from naming
// anything but what an installer would have written there.
#ifndef NRXDEL_INSTALL_RECORDS_H
#define NRXDEL_INSTALL_RECORDS_H

#include <windows.h>

// Which installer made an install and listed its files: the utility's
// (values "0" to "9") or the driver's ("0" to "19"), each with its own
// routing and backup folder.
enum FileListKind { UTILITY_FILE_LIST, DRIVER_FILE_LIST };

// Every record value is read into this many bytes.
const int RECORD_TEXT_SIZE = 256;
// Room for an InstanceNumber as a Counter may spell it.
const int INSTANCE_NUMBER_SIZE = RECORD_TEXT_SIZE;
// Instance keys counted under DRIVER or UTILITY.
const int MAX_INSTANCES = 100;
// A search or walk over instance numbers starts at most this high, so that
// an absurd Counter cannot keep the sequence busy.
const int HIGHEST_INSTANCE_NUMBER = 999;

// HKEY_LOCAL_MACHINE "Software\NORIX": the vendor key, parent of the records
// and of the board keys, removed once empty.
extern const char VENDOR_KEY[];

// Values of the records keys and of their instance keys.
extern const char COUNTER_VALUE[];     // "Counter"
extern const char INST_DIR_VALUE[];    // "InstDir"
extern const char BOARD_VALUE[];       // "Board"
extern const char FOLDER_NAME_VALUE[]; // "FolderName"
extern const char START_UP_VALUE[];    // "StartUp"
extern const char DEVICE_NO_VALUE[];   // "DeviceNo"
extern const char DEVICE_NO2_VALUE[];  // "DeviceNo2"

// The InstanceNumber of `number`: its decimal text, "0" in front of one digit.
void FormatInstanceNumber(int number, char* text);
// Ordinary decimal parsing of an InstanceNumber (sign and leading digits;
// anything else is 0); values above HIGHEST_INSTANCE_NUMBER count as it.
int ParseInstanceNumber(const char* text);
// "Counter" of `recordsKey` as an InstanceNumber ("3" becomes "03"); false
// when it is missing or empty.
bool ReadCounter(const char* recordsKey, char* number);
// `parent` + "\" + `name` into `path` (PATH_SIZE bytes): an instance key,
// or a key named by a record; false when it does not fit.
bool SubkeyPath(const char* parent, const char* name, char* path);
// Removes HKEY_LOCAL_MACHINE `parent` + "\" + `name`, the key named by a
// record, with its subkeys; nothing when `name` is no key name.
void DeleteNamedKey(const char* parent, const char* name);
// The same for a board key name, nothing when it is no board name.
void DeleteBoardKey(const char* parent, const char* board);

// Value `name` of HKEY_LOCAL_MACHINE `key` into `text` (RECORD_TEXT_SIZE
// bytes), terminated; `text` stays as it was when the value cannot be read.
bool ReadRecord(const char* key, const char* name, char* text);
bool KeyOpens(HKEY root, const char* key);
// Subkeys of HKEY_LOCAL_MACHINE `key`, at most MAX_INSTANCES; 0 without it.
int CountInstances(const char* key);

// A key path below a parent key: not empty, no empty part.
bool IsKeyName(const char* text);
// A board key name, used below the display class and "Software\NORIX": a
// key name that cannot reach the install records "Software\NORIX\DISPLAY".
bool IsBoardName(const char* text);
// A device instance path below "Enum": enumerator, device and instance.
bool IsDeviceInstance(const char* text);
// A listed file: a bare name of at least three characters.
bool IsFileName(const char* text);
// A Program Manager group, which is also one folder name: no path, no
// bracket that would end the DDE command early.
bool IsGroupName(const char* text);
// An install directory: a full path below a drive root or a share.
bool IsInstallDirectory(const char* text);

#endif
