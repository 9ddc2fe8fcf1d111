// A simulated LCD panel standing in for the vendor's portrait-capable driver.
#include "simulated_lcd_panel.h"
#include "lcd_escape.h"
#include "vendor_identification.h"

namespace simulated_panel {

const char CONFIG_KEY[] = "Software\\NrxTestbed\\LcdPanel";

namespace {

struct Config {
    DWORD present, failQuery, failVersion, replySize;
    DWORD caps, state, panelWidth, panelHeight, version;
    DWORD bitsPerPixel, refresh;
    DWORD landscapeWidth, landscapeHeight, portraitWidth, portraitHeight;
};

struct ConfigValue {
    const char* name;
    DWORD Config::*field;
    DWORD fallback;
};

const ConfigValue CONFIG_VALUES[] = {
    {"present", &Config::present, 1},
    {"failQuery", &Config::failQuery, 0},
    {"failVersion", &Config::failVersion, 0},
    {"replySize", &Config::replySize, sizeof(LcdStateReply)},
    {"caps", &Config::caps, PANEL_LCD | PANEL_PORTRAIT},
    {"state", &Config::state, PANEL_LCD},
    {"panelWidth", &Config::panelWidth, 1024},
    {"panelHeight", &Config::panelHeight, 768},
    {"version", &Config::version, 0x100},
    {"bitsPerPixel", &Config::bitsPerPixel, 32},
    {"refresh", &Config::refresh, 60},
    {"landscapeWidth", &Config::landscapeWidth, 1024},
    {"landscapeHeight", &Config::landscapeHeight, 768},
    {"portraitWidth", &Config::portraitWidth, 800},
    {"portraitHeight", &Config::portraitHeight, 600},
};

bool ReadDword(HKEY key, const char* name, DWORD* value)
{
    DWORD read = 0;
    DWORD size = sizeof(read);
    if (!key || RegQueryValueExA(key, name, NULL, NULL, (BYTE*)&read, &size) != ERROR_SUCCESS ||
        size != sizeof(read))
        return false;
    *value = read;
    return true;
}

void ReadConfig(Config* config)
{
    HKEY key = NULL;
    // HKEY_CURRENT_USER "Software\NrxTestbed\LcdPanel": the test bed's panel
    if (RegOpenKeyExA(HKEY_CURRENT_USER, CONFIG_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        key = NULL;
    for (unsigned i = 0; i < sizeof(CONFIG_VALUES) / sizeof(CONFIG_VALUES[0]); ++i) {
        const ConfigValue& value = CONFIG_VALUES[i];
        if (!ReadDword(key, value.name, &(config->*value.field)))
            config->*value.field = value.fallback;
    }
    if (key)
        RegCloseKey(key);
}

// "LCDStatus" where the programs store it, as the driver reads it.
bool ReadStoredStatus(DWORD* status)
{
    HKEY settings = OpenPanelSettingsKey();
    bool read = ReadDword(settings, "LCDStatus", status);
    if (settings)
        RegCloseKey(settings);
    return read;
}

void NamedMode(const Config& config, DWORD state, DWORD* width, DWORD* height)
{
    bool portrait = (state & PANEL_PORTRAIT) != 0;
    *width = portrait ? config.portraitWidth : config.landscapeWidth;
    *height = portrait ? config.portraitHeight : config.landscapeHeight;
}

int AnswerStateQuery(const Config& config, void* output, int outputSize)
{
    if (config.failQuery)
        return 0;
    LcdStateReply reply;
    ZeroMemory(&reply, sizeof(reply));
    DWORD pending = config.state;
    ReadStoredStatus(&pending);
    NamedMode(config, pending, &reply.width, &reply.height);
    reply.bitsPerPixel = config.bitsPerPixel;
    reply.refresh = config.refresh;
    reply.caps = config.caps;
    reply.state = config.state;
    reply.panelWidth = config.panelWidth;
    reply.panelHeight = config.panelHeight;
    DWORD size = config.replySize;
    if (size > sizeof(reply))
        size = sizeof(reply);
    if (outputSize < 0 || size > (DWORD)outputSize)
        size = outputSize < 0 ? 0 : outputSize;
    CopyMemory(output, &reply, size);
    return 1;
}

}  // namespace

int Escape(int escape, int inputSize, const void* input, int outputSize, void* output)
{
    Config config;
    ReadConfig(&config);
    if (!config.present || inputSize < (int)sizeof(DWORD))
        return 0;
    DWORD argument = *(const DWORD*)input;
    if (escape == QUERYESCSUPPORT)
        return argument == (DWORD)LCD_CONTROL_ESCAPE ? 1 : 0;
    if (escape != LCD_CONTROL_ESCAPE || !output)
        return 0;
    if (argument == LCD_QUERY_STATE)
        return AnswerStateQuery(config, output, outputSize);
    if (argument == LCD_QUERY_VERSION && !config.failVersion && outputSize >= (int)sizeof(DWORD)) {
        *(DWORD*)output = config.version;
        return 1;
    }
    return 0;
}

void ModeSet(const DEVMODEA& mode, DWORD flags)
{
    Config config;
    ReadConfig(&config);
    DWORD stored;
    if ((flags & CDS_RESET) == 0 || !config.present || !ReadStoredStatus(&stored))
        return;
    DWORD width, height;
    NamedMode(config, stored, &width, &height);
    if (mode.dmPelsWidth != width || mode.dmPelsHeight != height)
        return;
    HKEY key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, CONFIG_KEY, &key) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "state", 0, REG_DWORD, (const BYTE*)&stored, sizeof(stored));
    RegCloseKey(key);
}

}  // namespace simulated_panel
