// The install footprint builder: lays down what the driver and utility
// installers leave on a Japanese Windows 95/98 machine for any board and any
// history of installs (install records, listed files and their backups, the
// drive root's ".NRX" files, the board's device, class and monitor keys, its
// LCD and 3D registrations, Start menu folders and shortcuts, Program Manager
// items, "wininit.ini" lines), and unrelated programs' keys, files and
// pending renames beside them. It works on whatever the predefined registry
// roots are (a test's scratch roots, or the machine's own) and on the
// directories it is given, and returns a manifest of what it laid, each item
// tagged with the parts of the installs it belongs to.
//
// Description, one directive a line ('#' starts a comment line), in code page
// 932 like every text of the machine:
//
//   machine PCAT | PC98
//   present <model>                 the board is in the running hardware tree
//   driver <model>[; field=value]...  one driver install, numbered 00, 01, ... in order
//   utility <model>[; field=value]... one utility install, numbered likewise
//   others                          unrelated programs' keys, files, items, lines
//   source <file name> <path>       every laid file of that name is a copy of <path>
//
// Fields: number=NN, dir=<install directory>, board=<board key name>,
// folder=<group name>, device=<DeviceNo>, device2=<DeviceNo2>,
// files=<name>,<name>... (driver: up to 20, utility: up to 10), startup=0|1.
// <model> is a model name of the uninstaller's board table ("QX-S R2").
// Defaults: dir "<drive root>Program Files\NORIX\<model>" (a utility takes the
// directory and group of the latest driver install of its model), board
// "0000", "0001", ... by the order in which models first appear, folder
// "ﾉﾘｯｸｽ表示ソフト <model>", a PCI device instance per install, the model's
// usual files, startup=1. "Counter" is the number of the last install of
// each kind. An install folder's README.TXT is the release's (the build's
// bin\README.TXT); every other laid file without a source is a placeholder.
//
// Tags: "driver NN" (the install's key, device keys, listed files and
// backups), "driver NN shared" (README.TXT, NRXDEL.EXE and the directory,
// the group's items and Start menu folder), "utility NN" (its key and
// backups), "utility NN files" (its working copies and help companions),
// "utility NN shared", "board <model>" (class, vendor and 3D accelerator keys,
// the per-model ".NRX" file), "lcd", "3d", "vga" (the saved
// VGA.QZN and the board's VGA.DRV), "driver common" (property sheet,
// monitor keys, NRXUTL.NRX), "utility common" (start-up item, Start menu
// shortcut, NRXVGCHG.NRX), "shared nrx" (NRXCHG16.NRX, NRXCHG32.NRX),
// "shared dll" (NRXCHG16.DLL, NRXCHG32.DLL), "driver records", "utility
// records", "display records", "norix" (the vendor key, once empty),
// "norix folders" (the backup folders and Program Files\NORIX, once empty),
// "pending utility", "pending board <model>", "other".
#ifndef TESTBED_FOOTPRINT_H
#define TESTBED_FOOTPRINT_H

#include "file_tree.h"
#include "registry_tree.h"

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace footprint {

enum Kind { DRIVER, UTILITY };

struct Install {
    Kind kind = DRIVER;
    std::string model;
    std::string number;  // empty: the next one
    std::string installDir, board, folder, device, secondDevice;
    bool filesGiven = false;
    std::vector<std::string> files;
    bool startUp = true;
};

struct Description {
    int machineType = 2;  // 1 = NEC PC-98, 2 = PC/AT
    std::vector<std::string> present;
    std::vector<Install> installs;
    bool others = false;
    std::map<std::string, std::string> sources;  // lower-case file name -> copied file
};

// False, with the offending line in `error`, for text it does not understand.
bool Parse(const std::string& text, Description* description, std::string* error);

// Where the footprint goes.
struct Places {
    std::string windows, system, inf;  // e.g. C:\windows, C:\windows\system32, C:\windows\INF
    std::string driveRoot;             // e.g. C:\ (with its backslash)
    // Wine's folder of Program Manager groups; empty: no items are made over DDE.
    std::string programs;
};
// This machine's: the Windows, system and INF directories, the Windows
// directory's drive root and the Program Manager groups' folder.
Places MachinePlaces();

struct Item {
    enum Type { KEY, KEY_IF_EMPTY, VALUE, FILE, FOLDER_IF_EMPTY } type;
    std::string path;  // "HKLM\...", "HKCU\...", "HKDD\..." for the registry; full file paths
    std::string name;  // of a value
    std::set<std::string> tags;
};

struct PendingLine {
    std::string text;  // without its line end
    std::set<std::string> tags;
};

// A Program Manager item, as the installers made it (over DDE only when
// the places name Wine's folder of groups).
struct GroupItem {
    std::string group, item;
    std::set<std::string> tags;
};

struct Footprint {
    std::vector<Item> items;
    std::vector<PendingLine> pending;
    std::vector<std::string> groups;  // made over DDE
    std::vector<GroupItem> groupItems;
    // The "InstDir" of each install, by tag ("driver 02").
    std::map<std::string, std::string> installDirs;
};

// The model names of the uninstaller's board table, in its order.
std::vector<std::string> ModelNames();
// The files an install of `model` lists when its description names none.
std::vector<std::string> UsualFiles(Kind kind, const std::string& model);

// Lays the footprint down; "wininit.ini" gets its lines appended (and its
// "[rename]" header when it is new). Explorer windows the DDE commands open
// are closed again.
Footprint Lay(const Description& description, const Places& places);

// `registry` (a DumpSubtrees with roots named "HKLM", "HKCU", "HKDD") and
// `files` without the items whose every tag is in `removed` (an item laid
// for several installs stays while one of them does): keys with all below
// them, values, files, and folders left empty.
void Remove(const Footprint& footprint, const std::set<std::string>& removed, testreg::Tree* registry,
            testfiles::FileTree* files);
// The "wininit.ini" bytes `before` without the lines whose tags are all in `removed`.
std::string RemovePendingLines(const Footprint& footprint, const std::set<std::string>& removed,
                               std::string before);
// Every tag of the footprint.
std::set<std::string> AllTags(const Footprint& footprint);

}  // namespace footprint

#endif
