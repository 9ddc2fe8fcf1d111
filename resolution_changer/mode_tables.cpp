// Building the mode list and resolution table, and following display changes.
#include "mode_tables.h"
#include "display_seam.h"
#include "placement.h"
#include "resource.h"
#include "texts.h"

ModeListTable ModeList;
ResolutionSlotTable ResolutionTable;
CurrentDisplayState CurrentDisplay;

static bool IsAcceptedDepth(DWORD bits)
{
    static const DWORD accepted[] = {1, 4, 8, 15, 16, 24, 32};
    for (DWORD depth : accepted)
        if (bits == depth)
            return true;
    return false;
}

// Duplicates count towards the limit: at most MAX_MODES records are kept
// before de-duplication.
static void EnumerateModes(ModeListTable* list)
{
    list->count = 0;
    for (DWORD n = 0; list->count < MAX_MODES; ++n) {
        ModeRecord* record = &list->records[list->count];
        ZeroMemory(record, sizeof(*record));
        record->dmSize = sizeof(*record);
        if (!display::EnumMode(n, record))
            break;
        if (IsAcceptedDepth(record->dmBitsPerPel))
            ++list->count;
    }
}

static bool ModeIsSmaller(const ModeRecord& a, const ModeRecord& b)
{
    if (a.dmBitsPerPel != b.dmBitsPerPel)
        return a.dmBitsPerPel < b.dmBitsPerPel;
    if (a.dmPelsWidth != b.dmPelsWidth)
        return a.dmPelsWidth < b.dmPelsWidth;
    return a.dmPelsHeight < b.dmPelsHeight;
}

static bool SameMode(const ModeRecord& a, const ModeRecord& b)
{
    return a.dmBitsPerPel == b.dmBitsPerPel && a.dmPelsWidth == b.dmPelsWidth &&
           a.dmPelsHeight == b.dmPelsHeight;
}

template <typename T>
static void Swap(T* a, T* b)
{
    T kept = *a;
    *a = *b;
    *b = kept;
}

void SortModeList(ModeListTable* list)
{
    for (int i = 0; i < list->count; ++i)
        for (int j = i + 1; j < list->count; ++j)
            if (ModeIsSmaller(list->records[j], list->records[i]))
                Swap(&list->records[i], &list->records[j]);
}

// The first record of each run of equal modes is kept; refresh rates play no part.
void RemoveDuplicateModes(ModeListTable* list)
{
    int k = 0;
    while (k + 1 < list->count) {
        if (SameMode(list->records[k], list->records[k + 1])) {
            for (int m = k + 1; m + 1 < list->count; ++m)
                list->records[m] = list->records[m + 1];
            --list->count;
        } else {
            ++k;
        }
    }
}

static bool SlotIsSmaller(const ResolutionSlot& a, const ResolutionSlot& b)
{
    if (a.width != b.width)
        return a.width < b.width;
    return a.height < b.height;
}

void FillResolutionTable(const ModeListTable& list, ResolutionSlotTable* table)
{
    ZeroMemory(table, sizeof(*table));
    for (int i = 0; i < list.count; ++i) {
        WORD width = (WORD)list.records[i].dmPelsWidth;
        WORD height = (WORD)list.records[i].dmPelsHeight;
        bool known = false;
        for (int s = 0; s < table->count && !known; ++s)
            known = table->slots[s].width == width && table->slots[s].height == height;
        if (!known && table->count < MAX_SLOTS) {
            table->slots[table->count].width = width;
            table->slots[table->count].height = height;
            ++table->count;
        }
    }
    for (int i = 0; i < table->count; ++i)
        for (int j = i + 1; j < table->count; ++j)
            if (SlotIsSmaller(table->slots[j], table->slots[i]))
                Swap(&table->slots[i], &table->slots[j]);
}

int BuildModeList()
{
    EnumerateModes(&ModeList);
    if (ModeList.count == 0) {
        ShowMessage(NULL, display::DriverIsNewer() ? IDS_CANNOT_RUN : IDS_OLD_DRIVER, MB_ICONHAND);
        return 0;
    }
    SortModeList(&ModeList);
    RemoveDuplicateModes(&ModeList);
    FillResolutionTable(ModeList, &ResolutionTable);
    return ModeList.count;
}

// A panel in portrait presentation and a desktop two screens wide both read
// as the one landscape screen the resolution table knows.
void NormaliseScreenSize(int screenWidth, int screenHeight, int* width, int* height)
{
    *width = screenWidth;
    *height = screenHeight;
    if (screenHeight > screenWidth) {
        *width = screenHeight;
        *height = screenWidth;
    } else if (2 * screenHeight < screenWidth) {
        *width = screenWidth / 2;
    }
}

void UpdateSlotAvailability(const ModeListTable& list, ResolutionSlotTable* table,
                            CurrentDisplayState* current)
{
    for (int s = 0; s < MAX_SLOTS; ++s) {
        ResolutionSlot* slot = &table->slots[s];
        slot->available = 0;
        for (int i = 0; i < list.count && !slot->available; ++i) {
            const ModeRecord& mode = list.records[i];
            slot->available = (int)mode.dmBitsPerPel == current->bitsPerPixel &&
                              mode.dmPelsWidth == slot->width && mode.dmPelsHeight == slot->height;
        }
    }
    for (int s = 0; s < table->count; ++s) {
        if (table->slots[s].width == current->width && table->slots[s].height == current->height) {
            current->slotIndex = s;
            break;
        }
    }
}

void RefreshDisplayState(HWND toolWindow)
{
    int screenWidth = display::ScreenWidth();
    int screenHeight = display::ScreenHeight();
    CurrentDisplay.bitsPerPixel = display::BitsPerPixel(toolWindow);
    // Back inside a screen that may have become smaller, on every edge.
    KeepWindowOnScreen(toolWindow);
    NormaliseScreenSize(screenWidth, screenHeight, &CurrentDisplay.width, &CurrentDisplay.height);
    UpdateSlotAvailability(ModeList, &ResolutionTable, &CurrentDisplay);
}
