// The settings stored under HKEY_CURRENT_USER "Software\NORIX\Resolva".
#include "stored_settings.h"
#include "placement.h"

const char SETTINGS_KEY[] = "Software\\NORIX\\Resolva";

static const char VALUE_POSITION[] = "DefaultPosition";
static const char VALUE_ICONIC[] = "DefaultIconic";
// A slot value longer than this is not ours and is ignored.
static const DWORD SLOT_VALUE_MAX = 64;

// HKCU\Software\NORIX\Resolva, opened or (when `create`) created.
static HKEY OpenSettingsKey(bool create)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS)
        return key;
    if (!create)
        return NULL;
    DWORD disposition;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &key, &disposition) != ERROR_SUCCESS)
        return NULL;
    return key;
}

// Reads a value of exactly `type` with at least `minSize` bytes.
static bool QueryValue(HKEY key, const char* name, DWORD type, void* data, DWORD size,
                       DWORD minSize)
{
    DWORD actualType;
    DWORD actualSize = size;
    if (!key || RegQueryValueExA(key, name, NULL, &actualType, (BYTE*)data, &actualSize) != ERROR_SUCCESS)
        return false;
    return actualType == type && actualSize >= minSize;
}

// Reads a REG_SZ of at most `size` - 1 bytes and always terminates it.
static bool QueryString(HKEY key, const char* name, char* text, DWORD size)
{
    DWORD actualType;
    DWORD actualSize = size - 1;
    if (!key || RegQueryValueExA(key, name, NULL, &actualType, (BYTE*)text, &actualSize) != ERROR_SUCCESS ||
        actualType != REG_SZ)
        return false;
    text[actualSize] = '\0';
    return true;
}

void FormatSlotValueName(const ResolutionSlot& slot, char* name, int size)
{
    char text[32];  // wsprintfA has no bound of its own
    wsprintfA(text, "Res%dx%d", (int)slot.width, (int)slot.height);
    lstrcpynA(name, text, size);
}

void FormatSlotValueData(const ResolutionSlot& slot, char* data, int size)
{
    char text[32];
    wsprintfA(text, "%d,%08lX", slot.switchEnabled, (unsigned long)slot.hotkey);
    lstrcpynA(data, text, size);
}

static bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

static int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The stored format is "%d,%08lX"; this reads it as scanf would, field by
// field, so that a field which does not parse keeps the slot's value.
void ParseSlotValueData(const char* data, ResolutionSlot* slot)
{
    const char* p = data;
    while (IsSpace(*p))
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (*p < '0' || *p > '9')
        return;
    // A number too large for an int is taken as the largest one, never
    // overflowed into some other value.
    const int largest = 0x7FFFFFFF;
    int enabled = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        enabled = enabled > (largest - (*p - '0')) / 10 ? largest : enabled * 10 + (*p - '0');
    slot->switchEnabled = negative ? -enabled : enabled;
    if (*p++ != ',')
        return;
    while (IsSpace(*p))
        ++p;
    unsigned long hotkey = 0;
    int digits = 0;
    for (; digits < 8 && HexDigit(*p) >= 0; ++p, ++digits)
        hotkey = hotkey * 16 + HexDigit(*p);
    if (digits > 0)
        slot->hotkey = (int)hotkey;
}

static void LoadSlotSettings(HKEY key, ResolutionSlotTable* table)
{
    for (int i = 0; i < table->count; ++i) {
        ResolutionSlot* slot = &table->slots[i];
        slot->switchEnabled = 0;
        char name[32];
        char data[SLOT_VALUE_MAX + 1];
        FormatSlotValueName(*slot, name, sizeof(name));
        if (QueryString(key, name, data, sizeof(data)))
            ParseSlotValueData(data, slot);
    }
}

void LoadStoredSettings(StoredWindow* window)
{
    HKEY key = OpenSettingsKey(true);  // HKCU\Software\NORIX\Resolva
    LONG rect[4];
    if (QueryValue(key, VALUE_POSITION, REG_BINARY, rect, sizeof(rect), sizeof(rect))) {
        window->left = rect[0];
        window->top = rect[1];
        window->width = rect[2];
        window->height = rect[3];
    } else {
        window->left = GetSystemMetrics(SM_CXSCREEN) - 1;
        window->top = 0;
        window->width = 1;
        window->height = 1;
    }
    DWORD iconic = 0;
    if (!QueryValue(key, VALUE_ICONIC, REG_DWORD, &iconic, sizeof(iconic), sizeof(iconic)))
        iconic = 0;
    window->startHidden = (int)iconic;
    LoadSlotSettings(key, &ResolutionTable);
    if (key)
        RegCloseKey(key);
}

void StoreWindowPlacement(HWND toolWindow, int visible)
{
    HKEY key = OpenSettingsKey(false);  // HKCU\Software\NORIX\Resolva
    if (!key)
        return;
    // Minimised, the window sits off every screen: its restored place is the one to keep.
    RECT r = NormalRect(toolWindow);
    LONG rect[4] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    DWORD iconic = visible ? 0 : 1;
    RegSetValueExA(key, VALUE_POSITION, 0, REG_BINARY, (const BYTE*)rect, sizeof(rect));
    RegSetValueExA(key, VALUE_ICONIC, 0, REG_DWORD, (const BYTE*)&iconic, sizeof(iconic));
    RegCloseKey(key);
}

void StoreSlotSettings(const ResolutionSlotTable& table)
{
    HKEY key = OpenSettingsKey(true);  // HKCU\Software\NORIX\Resolva
    if (!key)
        return;
    for (int i = 0; i < table.count; ++i) {
        char name[32];
        char data[32];
        FormatSlotValueName(table.slots[i], name, sizeof(name));
        FormatSlotValueData(table.slots[i], data, sizeof(data));
        RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)data, lstrlenA(data) + 1);
    }
    RegCloseKey(key);
}
