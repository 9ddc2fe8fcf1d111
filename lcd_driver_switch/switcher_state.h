// Process-wide values of ROTSEL.
#ifndef ROTSEL_SWITCHER_STATE_H
#define ROTSEL_SWITCHER_STATE_H

#include <windows.h>
#include "vendor_identification.h"

struct SwitcherState {
    HINSTANCE instance;
    char driverKey[DRIVER_KEY_SIZE];
    char standardDriver[DRIVER_FILE_SIZE];  // upper case after CheckSwitchInfo
    char portraitDriver[DRIVER_FILE_SIZE];  // string 4, "NRXLCD.DRV"
    bool portraitChosen;  // check box 1000 as dialog 101 ended with 再起動(&R)
};

extern SwitcherState Switcher;

#endif
