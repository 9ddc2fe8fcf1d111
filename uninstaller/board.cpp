// Board and machine identification of the uninstaller.
#include "board.h"
#include "ascii_text.h"
#include "registry_removal.h"
#include "uninstaller_state.h"

struct BoardModel {
    const char* modelName;
    const char* hardwareId;
    int boardCode;
};

// Tested in this order; a later row that also matches replaces an earlier
// one ("QX-S R2" holds "QX-S").
static const BoardModel BoardModelTable[] = {
    {"QX-S", "PCI\\VEN_5333&DEV_5631", 1},
    {"QX-T", "PCI\\VEN_5333&DEV_883D", 2},
    {"QX-S R2", "PCI\\VEN_5333&DEV_8A01", 3},
    {"QX-S R3", "PCI\\VEN_5333&DEV_8A10", 4},
    {"QX-S4K-A", "PCI\\VEN_5333&DEV_8C01", 5},
    {"QX-S4K-B", "PCI\\VEN_5333&DEV_8C01", 5},
    {"QZ-M", "PCI\\VEN_3D3D&DEV_0004", 11},
    {"QZ-N", "PCI\\VEN_104C&DEV_3D07", 12},
    {"QZ-R", "PCI\\VEN_3D3D&DEV_0004", 13},
    {"QZ-NN", "PCI\\VEN_3D3D&DEV_0009", 14},
    {"QY-NN", "PCI\\VEN_3D3D&DEV_0009", 15},
};

// HKEY_DYN_DATA: the hardware tree of the running system.
static const char RUNNING_DEVICES_KEY[] = "Config Manager\\Enum";
static const char HARDWARE_KEY_VALUE[] = "HardWareKey";
static const DWORD MAX_DEVICE_NODES = 256;
static const int HARDWARE_KEY_READ = 255;

// Any of these bits in the OEM keyboard subtype means a NEC PC-98 keyboard.
static const int PC98_KEYBOARD_BITS = 0x0D00;
static const int KEYBOARD_SUBTYPE = 1;

int MatchBoardModel(const char* bootDir, char* hardwareId, int size)
{
    int boardCode = BOARD_UNKNOWN;
    int length = lstrlenA(bootDir);
    for (const BoardModel& model : BoardModelTable)
        if (ContainsBytes(bootDir, length, model.modelName) && CopyText(hardwareId, size, model.hardwareId))
            boardCode = model.boardCode;
    return boardCode;
}

int MachineTypeForKeyboardSubtype(int subtype)
{
    return (subtype & PC98_KEYBOARD_BITS) ? MACHINE_PC98 : MACHINE_PCAT;
}

int DetectMachineType()
{
    return MachineTypeForKeyboardSubtype(GetKeyboardType(KEYBOARD_SUBTYPE));
}

bool FindBoardDevice(const char* hardwareId)
{
    HKEY devices;  // HKEY_DYN_DATA\Config Manager\Enum
    if (RegOpenKeyExA(HKEY_DYN_DATA, RUNNING_DEVICES_KEY, 0, KEY_READ, &devices) != ERROR_SUCCESS)
        return false;
    bool found = false;
    char node[PATH_SIZE];
    for (DWORD index = 0; !found && index < MAX_DEVICE_NODES &&
                          RegEnumKeyA(devices, index, node, sizeof(node)) == ERROR_SUCCESS;
         ++index) {
        char hardwareKey[HARDWARE_KEY_READ + 1];
        found = ReadRegistryString(devices, node, HARDWARE_KEY_VALUE, hardwareKey, HARDWARE_KEY_READ) &&
                StartsWithIgnoringAsciiCase(hardwareKey, hardwareId);
    }
    RegCloseKey(devices);
    return found;
}
