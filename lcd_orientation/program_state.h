// Process-wide values of PIVOTER's windows.
#ifndef PIVOTER_PROGRAM_STATE_H
#define PIVOTER_PROGRAM_STATE_H

#include <windows.h>

struct ProgramState {
    HINSTANCE instance;
    HWND mainWindow;  // hidden; the menu owner window forwards commands to it
};

extern ProgramState Program;

#endif
