// The stand-in NRXCHG32.DLL as built: its mode text and its live mode change
// in the Wine virtual desktop. RestartWindows is never called here: under
// Wine it would end every program of the prefix. And the resolution
// changer's display seam as shipped, where Wine's driver cannot show it.
#include "display_seam.h"
#include "driver.h"
#include "import_hook.h"
#include "mode_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

TEST(ParseModeText, AcceptsOnlyThreePositiveNumbersJoinedByX)
{
    struct Case {
        const char* text;
        bool valid;
        int width, height, bits;
    } cases[] = {
        {"1024x768x16", true, 1024, 768, 16},
        {"640x480x8", true, 640, 480, 8},
        {"800x600", false},
        {"800x600x", false},
        {"800x600x16x", false},
        {"800x600x16 ", false},
        {" 800x600x16", false},
        {"800X600X16", false},
        {"-800x600x16", false},
        {"0x600x16", false},
        {"123456x600x16", false},
        {"", false},
    };
    for (const Case& c : cases) {
        ModeText mode = {};
        EXPECT_EQ(c.valid, ParseModeText(c.text, &mode)) << c.text;
        if (c.valid) {
            EXPECT_EQ(c.width, mode.width);
            EXPECT_EQ(c.height, mode.height);
            EXPECT_EQ(c.bits, mode.bitsPerPixel);
        }
    }
    ModeText mode;
    EXPECT_FALSE(ParseModeText(NULL, &mode));
}

// Wine's display driver reports no capability bits (index 94) at all.
int driverVersion, driverCaps1;

int WINAPI ReportDriver(HDC, int index)
{
    return index == DRIVERVERSION ? driverVersion : index == 94 ? driverCaps1 : 0;
}

TEST(ShippedDisplaySeam, ADriverIsNewerFromVersion4WithBothNewDriverCapabilityBits)
{
    testbed::ImportHook hook("GDI32.dll", "GetDeviceCaps", (void*)ReportDriver);
    ASSERT_TRUE(hook.installed());
    struct Case {
        int version, caps1;
        bool newer;
    } cases[] = {
        {0x400, 0x90, true}, {0x40A, 0xFF, true}, {0x3FF, 0x90, false}, {0x400, 0x80, false}, {0x400, 0x10, false},
    };
    for (const Case& c : cases) {
        driverVersion = c.version;
        driverCaps1 = c.caps1;
        EXPECT_EQ(c.newer, display::DriverIsNewer()) << std::hex << c.version << " " << c.caps1;
    }
}

typedef int(WINAPI* NoArguments)(void);
typedef int(WINAPI* TextArgument)(const char*);

class StandInLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        library = LoadLibraryA(WINE_BUILD_DIR "\\bin\\NRXCHG32.DLL");
        ASSERT_TRUE(library);
        checkQuickRes = (NoArguments)GetProcAddress(library, "CheckQuickRes");
        quickResChange = (TextArgument)GetProcAddress(library, "QuickResChange");
        ASSERT_TRUE(checkQuickRes && quickResChange);
        ASSERT_TRUE(GetProcAddress(library, "RestartWindows"));
    }
    void TearDown() override { FreeLibrary(library); }
    HMODULE library = NULL;
    NoArguments checkQuickRes = NULL;
    TextArgument quickResChange = NULL;
};

TEST_F(StandInLibrary, ColourDepthChangesAreLiveOnWindows98)
{
    OSVERSIONINFOA version = {sizeof(version)};
    ASSERT_TRUE(GetVersionExA(&version));
    ASSERT_EQ((DWORD)VER_PLATFORM_WIN32_WINDOWS, version.dwPlatformId) << "the test bed runs as Windows 98";
    EXPECT_NE(0, checkQuickRes());
}

int displayChanges = 0;
LPARAM lastDisplayChange = 0;
HWND busyWindow = NULL;
std::atomic<int> busyDisplayChanges(0);

LRESULT CALLBACK CountDisplayChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DISPLAYCHANGE && window == busyWindow) {
        ++busyDisplayChanges;
    } else if (message == WM_DISPLAYCHANGE) {
        ++displayChanges;
        lastDisplayChange = lParam;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(StandInLibrary, ModeIsInEffectAndAnnouncedWhenQuickResChangeReturns)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CountDisplayChanges;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "DisplayChangeCounter";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "DisplayChangeCounter", "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10,
                                  NULL, NULL, GetModuleHandleA(NULL), NULL);
    ASSERT_TRUE(window);
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_EQ(1024, width) << "the test bed's virtual desktop is 1024x768";

    EXPECT_NE(0, quickResChange("800x600x32"));
    EXPECT_EQ(800, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(600, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GE(displayChanges, 1);
    EXPECT_EQ(MAKELPARAM(800, 600), lastDisplayChange);

    // Malformed texts change nothing.
    displayChanges = 0;
    for (const char* text : {"1024x768", "1024x768x32x", "axbxc", ""})
        EXPECT_EQ(0, quickResChange(text)) << text;
    EXPECT_EQ(800, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(0, displayChanges);

    // A mode the adapter does not offer is refused.
    EXPECT_EQ(0, quickResChange("777x555x32"));
    EXPECT_EQ(800, GetSystemMetrics(SM_CXSCREEN));

    // As the resolution changer calls it, with the mode already set. A
    // window of another program whose thread is busy does not hold it up,
    // and gets the news once it takes messages again.
    driver::SetScreen(1024, 768);
    HANDLE release = CreateEventA(NULL, TRUE, FALSE, NULL);
    std::thread busy([&] {
        busyWindow = CreateWindowExA(0, "DisplayChangeCounter", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL,
                                     GetModuleHandleA(NULL), NULL);
        WaitForSingleObject(release, 30000);
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        DestroyWindow(busyWindow);
    });
    ASSERT_TRUE(driver::WaitFor([] { return busyWindow != NULL; }));
    displayChanges = 0;
    DWORD start = GetTickCount();
    EXPECT_NE(0, quickResChange("1024x768x32"));
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_GE(displayChanges, 1);
    EXPECT_EQ(MAKELPARAM(1024, 768), lastDisplayChange);
    SetEvent(release);
    busy.join();
    CloseHandle(release);
    EXPECT_EQ(1, busyDisplayChanges);
    EXPECT_EQ(1024, GetSystemMetrics(SM_CXSCREEN));
    DestroyWindow(window);
}

}  // namespace
