// The settings stored under HKEY_CURRENT_USER "Software\NORIX\Resolva".
#ifndef NRXVGCHG_STORED_SETTINGS_H
#define NRXVGCHG_STORED_SETTINGS_H

#include <windows.h>
#include "mode_tables.h"

extern const char SETTINGS_KEY[];

struct StoredWindow {
    int left;
    int top;
    int width;
    int height;
    int startHidden;  // "DefaultIconic"
};

// Reads the tool window's rectangle and hidden flag (with their defaults)
// and every used slot's switch flag and hotkey; creates the key if missing.
void LoadStoredSettings(StoredWindow* window);
// Stores the window's normal (restored) rectangle and hidden flag, only if
// the key exists.
void StoreWindowPlacement(HWND toolWindow, int visible);
// Writes every used slot's "Res<w>x<h>" value; creates the key if missing.
void StoreSlotSettings(const ResolutionSlotTable& table);

// Value name and data of one slot, as stored.
void FormatSlotValueName(const ResolutionSlot& slot, char* name, int size);
void FormatSlotValueData(const ResolutionSlot& slot, char* data, int size);
// Reads "<switchEnabled>,<hotkey hex>"; a field that does not parse keeps its value.
void ParseSlotValueData(const char* data, ResolutionSlot* slot);

#endif
