// The soak run's counts: every object it counts, made in numbers and
// counted back, in this process and (menus and icons through CENSUS.DLL,
// the rest from outside) in another.
#include "driver.h"
#include "process_census.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const int MADE = 25;

struct Made {
    std::vector<HBRUSH> brushes;
    std::vector<HMENU> menus;
    std::vector<HICON> icons;
    std::vector<HWND> windows;
    std::vector<HANDLE> events;
    std::vector<ATOM> atoms;
    Made()
    {
        BYTE bits[32 * 4] = {};
        for (int i = 0; i < MADE; ++i) {
            brushes.push_back(CreateSolidBrush(RGB(i, 0, 0)));
            menus.push_back(CreatePopupMenu());
            icons.push_back(CreateIcon(NULL, 32, 32, 1, 1, bits, bits));
            windows.push_back(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL));
            events.push_back(CreateEventA(NULL, FALSE, FALSE, NULL));
            atoms.push_back(GlobalAddAtomA(("nrx census " + std::to_string(i)).c_str()));
        }
    }
    ~Made()
    {
        for (int i = 0; i < MADE; ++i) {
            DeleteObject(brushes[i]);
            DestroyMenu(menus[i]);
            DestroyIcon(icons[i]);
            DestroyWindow(windows[i]);
            CloseHandle(events[i]);
            GlobalDeleteAtom(atoms[i]);
        }
    }
};

void ExpectGrowth(const census::Counts& before, const census::Counts& after)
{
    // An icon holds two bitmaps besides itself.
    EXPECT_GE(after.gdiObjects - before.gdiObjects, MADE);
    // Wine may give the thread an IME window of its own with the first.
    EXPECT_GE(after.windows - before.windows, MADE);
    EXPECT_LE(after.windows - before.windows, MADE + 1);
    EXPECT_EQ(MADE, after.menus - before.menus);
    EXPECT_EQ(MADE, after.icons - before.icons);
    EXPECT_EQ(MADE, after.kernelHandles - before.kernelHandles);
    EXPECT_EQ(MADE, after.globalAtoms - before.globalAtoms);
    EXPECT_GT(after.privateBytes, 0);
}

TEST(ProcessCensus, CountsWhatThisProcessMakesAndGivesBack)
{
    census::Counts before = census::TakeOwn(), made;
    {
        Made objects;
        made = census::TakeOwn();
    }
    ExpectGrowth(before, made);
    census::Counts after = census::TakeOwn();
    EXPECT_EQ(before.menus, after.menus);
    EXPECT_EQ(before.icons, after.icons);
    EXPECT_EQ(before.globalAtoms, after.globalAtoms);
}

// Another process: this test program started again, making the objects
// and waiting to be counted.
TEST(ProcessCensus, CountsAnotherProcessAndLeavesItAsItWas)
{
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, MAX_PATH);
    SetEnvironmentVariableA("NRX_CENSUS_CHILD", "make");
    driver::Program child(self);
    SetEnvironmentVariableA("NRX_CENSUS_CHILD", NULL);
    ASSERT_TRUE(child.started());
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, child.id());
    const std::string library = WINE_BUILD_DIR "\\tests\\CENSUS.DLL";
    ASSERT_TRUE(driver::WaitFor([&] { return census::Take(process, library).windows > MADE; }));
    census::Counts before = census::Take(process, library), again = census::Take(process, library);
    EXPECT_GE(before.menus, MADE);
    EXPECT_GE(before.icons, MADE);
    EXPECT_GE(before.gdiObjects, MADE);
    EXPECT_EQ(before.kernelHandles, again.kernelHandles) << "the census leaves nothing behind";
    EXPECT_EQ(before.menus, again.menus);
    CloseHandle(process);
}

}  // namespace

// The child of the second test: makes the objects, then waits to be ended.
int main(int argc, char** argv)
{
    if (GetEnvironmentVariableA("NRX_CENSUS_CHILD", NULL, 0)) {
        Made objects;
        CreateWindowExA(0, "STATIC", "census child", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
        MSG message;
        while (GetMessageA(&message, NULL, 0, 0) > 0)
            DispatchMessageA(&message);
        return 0;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
