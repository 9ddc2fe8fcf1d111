// Which board the installation was for, which kind of machine this is, and
// whether the board is in the running hardware tree.
#ifndef NRXDEL_BOARD_H
#define NRXDEL_BOARD_H

#include <windows.h>

// Room for a hardware id (every one of BoardModelTable has 21 characters).
const int HARDWARE_ID_SIZE = 256;

// The BoardCode of the model named in `bootDir` (the last matching row of
// BoardModelTable wins; names are case-sensitive); its hardware id goes to
// `hardwareId`. Without a match: BOARD_UNKNOWN and `hardwareId` untouched.
int MatchBoardModel(const char* bootDir, char* hardwareId, int size);
// The MachineType that an OEM keyboard subtype stands for.
int MachineTypeForKeyboardSubtype(int subtype);
// The MachineType of this machine, from its keyboard.
int DetectMachineType();
// True when a node of HKEY_DYN_DATA "Config Manager\Enum" (the first 256)
// has a "HardWareKey" that begins with `hardwareId` (ASCII case ignored).
bool FindBoardDevice(const char* hardwareId);

#endif
