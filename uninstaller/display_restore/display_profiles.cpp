// The two standard display adapters the uninstaller can register: the
// standard VGA adapter of PC/AT machines and the 9821-series standard display
// of PC-98 machines, with the resources each occupies.
#include "standard_display.h"

template <typename T, int N>
constexpr int CountOf(const T (&)[N])
{
    return N;
}

static const DWORD IO_ALIGNMENT = 0xFFFF;
static const DWORD MEMORY_ALIGNMENT = 0xFFFFF000;

// Standard VGA: the register ports, the graphics and colour-text windows, and
// the video BIOS area with its alternative places.
static const ResourceAlternative VGA_MONO_PORTS[] = {{IO_ALIGNMENT, 12, 0x3B0, 0x3BB}};
static const ResourceAlternative VGA_COLOUR_PORTS[] = {{IO_ALIGNMENT, 32, 0x3C0, 0x3DF}};
static const ResourceAlternative VGA_GRAPHICS_WINDOW[] = {{MEMORY_ALIGNMENT, 0x10000, 0xA0000, 0xAFFFF}};
static const ResourceAlternative VGA_TEXT_WINDOW[] = {{MEMORY_ALIGNMENT, 0x8000, 0xB8000, 0xBFFFF}};
static const ResourceAlternative VGA_BIOS_WINDOWS[] = {
    {MEMORY_ALIGNMENT, 0x8000, 0xC0000, 0xC7FFF},
    {MEMORY_ALIGNMENT, 0x8000, 0xD0000, 0xD7FFF},
    {MEMORY_ALIGNMENT, 0x6000, 0xE0000, 0xE5FFF},
    {MEMORY_ALIGNMENT, 0x8000, 0xE0000, 0xE7FFF},
};

static const Resource VGA_RESOURCES[] = {
    {RESOURCE_IO, 1, VGA_MONO_PORTS},
    {RESOURCE_IO, 1, VGA_COLOUR_PORTS},
    {RESOURCE_MEMORY, 1, VGA_GRAPHICS_WINDOW},
    {RESOURCE_MEMORY, 1, VGA_TEXT_WINDOW},
    {RESOURCE_MEMORY, 4, VGA_BIOS_WINDOWS},
};
static const ResourceList VGA_RESOURCE_LIST = {CountOf(VGA_RESOURCES), VGA_RESOURCES};

static const ProfileValue VGA_DEFAULTS[] = {
    {"drv", "vga.drv"},
    {"Mode", "4,640,480"},
    {"vdd", "*vdd"},
};
static const ProfileValue VGA_MONOCHROME_MODE[] = {
    {"drv", "framebuf.drv"},
    {"vdd", "*vdd,*vflatd"},
};
static const ProfileModeKey VGA_MODES[] = {
    {"1", "640,480", CountOf(VGA_MONOCHROME_MODE), VGA_MONOCHROME_MODE},
    {"4", "640,480", 0, NULL},
};

const StandardDisplayProfile VgaDisplayProfile = {
    "ｽﾀﾝﾀﾞｰﾄﾞ ﾃﾞｨｽﾌﾟﾚｲ ｱﾀﾞﾌﾟﾀ (VGA)",
    "*vdd",
    "MSDISP.INF",
    "VGA",
    "4.0",
    CountOf(VGA_DEFAULTS), VGA_DEFAULTS,
    CountOf(VGA_MODES), VGA_MODES,
    "Display",
    "*PNP0900",
    "(ｽﾀﾝﾀﾞｰﾄﾞ ﾃﾞｨｽﾌﾟﾚｲ)",
    &VGA_RESOURCE_LIST,
    "4",
    "640,480",
};

// 9821 series: single graphics ports, the ports at 0x18F0 and two memory
// windows, each in one fixed place.
#define PC98_PORT(port) {IO_ALIGNMENT, 1, port, port}
static const ResourceAlternative PC98_PORTS[] = {
    PC98_PORT(0x60), PC98_PORT(0x62), PC98_PORT(0x64), PC98_PORT(0x66),
    PC98_PORT(0x68), PC98_PORT(0x6A), PC98_PORT(0x6C), PC98_PORT(0x6E),
    PC98_PORT(0x7C), PC98_PORT(0x7E),
    PC98_PORT(0xA0), PC98_PORT(0xA2), PC98_PORT(0xA4), PC98_PORT(0xA6),
    PC98_PORT(0xA8), PC98_PORT(0xAA), PC98_PORT(0xAC), PC98_PORT(0xAE),
    PC98_PORT(0x4A0),
    {IO_ALIGNMENT, 4, 0x18F0, 0x18F3},
};
#undef PC98_PORT
static const ResourceAlternative PC98_WINDOWS[] = {
    {MEMORY_ALIGNMENT, 0x18000, 0xA8000, 0xBFFFF},
    {MEMORY_ALIGNMENT, 0x8000, 0xE0000, 0xE7FFF},
};

// One record per port range and per window, in the order above.
#define PC98_IO(i) {RESOURCE_IO, 1, &PC98_PORTS[i]}
static const Resource PC98_RESOURCES[] = {
    PC98_IO(0), PC98_IO(1), PC98_IO(2), PC98_IO(3), PC98_IO(4),
    PC98_IO(5), PC98_IO(6), PC98_IO(7), PC98_IO(8), PC98_IO(9),
    PC98_IO(10), PC98_IO(11), PC98_IO(12), PC98_IO(13), PC98_IO(14),
    PC98_IO(15), PC98_IO(16), PC98_IO(17), PC98_IO(18), PC98_IO(19),
    {RESOURCE_MEMORY, 1, &PC98_WINDOWS[0]},
    {RESOURCE_MEMORY, 1, &PC98_WINDOWS[1]},
};
#undef PC98_IO
static const ResourceList PC98_RESOURCE_LIST = {CountOf(PC98_RESOURCES), PC98_RESOURCES};

static const ProfileValue PC98_DEFAULTS[] = {
    {"AccVal", "1"},
    {"drv", "pegcv8.drv"},
    {"grb", "grab98.3gr"},
    {"Mode", "8,640,480"},
    {"vdd", "*vdd"},
};
static const ProfileModeKey PC98_MODES[] = {
    {"8", "640,480", 0, NULL},
};

const StandardDisplayProfile Pc98DisplayProfile = {
    "ｽﾀﾝﾀﾞｰﾄﾞ ﾃﾞｨｽﾌﾟﾚｲ ｱﾀﾞﾌﾟﾀ (9821 ｼﾘｰｽﾞ)",
    "*vdd",
    "MSDISP.INF",
    "NEC_PEGC",
    "4.0",
    CountOf(PC98_DEFAULTS), PC98_DEFAULTS,
    CountOf(PC98_MODES), PC98_MODES,
    "Display",
    "*nEC1902",
    "NEC",
    &PC98_RESOURCE_LIST,
    "8",
    "640,480",
};
