// The display modes the driver offers, the distinct resolutions over all
// colour depths (with the user's per-resolution settings) and the mode in use.
#ifndef NRXVGCHG_MODE_TABLES_H
#define NRXVGCHG_MODE_TABLES_H

#include <windows.h>

const int MAX_MODES = 20;
const int MAX_SLOTS = 20;

// The system's record, kept whole: switching hands it back to the system.
typedef DEVMODEA ModeRecord;

struct ModeListTable {
    ModeRecord records[MAX_MODES];
    int count;
};

struct ResolutionSlot {
    WORD width;
    WORD height;
    int switchEnabled;  // taking part in quick switching (stored)
    int available;      // offered at the current colour depth (never stored)
    int hotkey;         // hotkey control encoding; 0 for none (stored)
};

struct ResolutionSlotTable {
    ResolutionSlot slots[MAX_SLOTS];
    int count;
};

struct CurrentDisplayState {
    int width;   // normalised to one landscape screen
    int height;
    int bitsPerPixel;
    int slotIndex;
};

extern ModeListTable ModeList;
extern ResolutionSlotTable ResolutionTable;
extern CurrentDisplayState CurrentDisplay;

// Fills ModeList and ResolutionTable from the driver; shows the failure
// message and returns 0 when the driver offers no usable mode.
int BuildModeList();
// Reads the mode in use, keeps the tool window on the screen and recomputes
// the slots' availability and the current slot.
void RefreshDisplayState(HWND toolWindow);

// The steps of the above, exposed for tests.
void SortModeList(ModeListTable* list);
void RemoveDuplicateModes(ModeListTable* list);
void FillResolutionTable(const ModeListTable& list, ResolutionSlotTable* table);
void NormaliseScreenSize(int screenWidth, int screenHeight, int* width, int* height);
void UpdateSlotAvailability(const ModeListTable& list, ResolutionSlotTable* table,
                            CurrentDisplayState* current);

#endif
