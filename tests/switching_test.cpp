// Mode switching in-process, on the simulated adapter and the recording
// double of NRXCHG32.DLL, with every message box and dialog answered by the
// fixture's BoxAnswerer as a user would.
#include "in_process_fixture.h"
#include "box_answerer.h"
#include "driver.h"
#include "resource.h"
#include "resource_reader.h"
#include "switch_dialogs.h"
#include "switching.h"
#include "tray.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

const DWORD QUICK_TEST = 0x80000002;
const char LIBRARY_LOG[] = "C:\\switching_test_library.log";

std::string ModeText(DWORD width, DWORD height, DWORD bits)
{
    return std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(bits);
}

// The display calls as "<test|quick|update|set> WxHxB".
std::vector<std::string> DisplayCalls()
{
    std::vector<std::string> calls;
    for (const simulated::ChangeCall& call : simulated::TheAdapter().calls) {
        const char* kind = call.flags == CDS_TEST         ? "test"
                           : call.flags == QUICK_TEST     ? "quick"
                           : call.flags == CDS_UPDATEREGISTRY ? "update"
                                                          : "set";
        calls.push_back(std::string(kind) + " " + ModeText(call.width, call.height, call.bitsPerPixel));
    }
    return calls;
}

// The helper library's calls, as its double recorded them.
std::vector<std::string> LibraryCalls()
{
    std::vector<std::string> calls;
    std::ifstream log(LIBRARY_LOG);
    for (std::string line; std::getline(log, line);)
        if (line != "CheckQuickRes")
            calls.push_back(line);
    return calls;
}

std::string IconName(HICON icon)
{
    if (icon == LoadIconA(NULL, IDI_HAND))
        return "hand";
    if (icon == LoadIconA(NULL, IDI_EXCLAMATION))
        return "exclamation";
    if (icon == LoadIconA(NULL, IDI_ASTERISK))
        return "asterisk";
    if (icon == LoadIconA(NULL, IDI_QUESTION))
        return "question";
    return "none";
}

// Each box from the `first` on as its string or dialog id and its icon:
// "1018 hand", "140", "130".
std::vector<std::string> Boxes(driver::BoxAnswerer& answerer, size_t first = 0)
{
    std::vector<std::string> boxes;
    std::vector<driver::SeenBox> seen = answerer.Seen();
    for (size_t i = first; i < seen.size(); ++i) {
        const driver::SeenBox& box = seen[i];
        std::string name = "?" + box.text;
        for (UINT id : {IDS_NEEDS_RESTART, IDS_CANNOT_CHANGE, IDS_ABOUT_TO_CHANGE, IDS_ABOUT_TO_TEST})
            if (box.text == resources::String(GetModuleHandleA(NULL), id))
                name = std::to_string(id) + " " + IconName(box.icon);
        if (box.text.find("ﾘｽﾀｰﾄせずに色数を変更すると") == 0)
            name = "140";
        if (box.text.find("正常に表示されていますか？") != std::string::npos)
            name = "130";
        EXPECT_EQ("ﾚｿﾞﾙ ｳﾞｧ", box.title) << name;
        boxes.push_back(name);
    }
    return boxes;
}

class SwitchingTest : public InProcessProgram {
protected:
    void SetUp() override
    {
        InProcessProgram::SetUp();
        simulated::AddMode(640, 480, 8);
        simulated::AddMode(800, 600, 8);
        simulated::AddMode(640, 480, 16);
        simulated::AddMode(800, 600, 16);
        simulated::AddMode(1024, 768, 16);
        simulated::TheAdapter().bitsPerPixel = 16;
        ASSERT_EQ(5, BuildModeList());
        ASSERT_TRUE(CreateStoredToolWindow());
        ASSERT_EQ(1024, CurrentDisplay.width);
        ASSERT_EQ(16, CurrentDisplay.bitsPerPixel);
        DeleteFileA(LIBRARY_LOG);
        SetEnvironmentVariableA("NRXCHG32_LOG", LIBRARY_LOG);
        SetEnvironmentVariableA("NRXCHG32_QUICK_RESULT", "1");
        simulated::TheAdapter().calls.clear();
    }
    void TearDown() override
    {
        InProcessProgram::TearDown();
        SetEnvironmentVariableA("NRXCHG32_LOG", NULL);
        DeleteFileA(LIBRARY_LOG);
    }
    RECT ToolRect()
    {
        RECT r;
        GetWindowRect(Shell.toolWindow, &r);
        return r;
    }
    void MoveTool(int left, int top)
    {
        RECT r = ToolRect();
        MoveWindow(Shell.toolWindow, left, top, r.right - r.left, r.bottom - r.top, TRUE);
    }
};

struct BranchCase {
    const char* name;
    int quick;           // quickChangeAvailable
    int bits;            // requested depth; the size is always 800x600
    int confirm;
    LONG quickTest, test, update;  // simulated results by flags
    std::vector<int> answers;      // for the boxes, in order
    int libraryResult;
    // expected
    int result;
    std::vector<std::string> calls, library, boxes;
};

const std::string M16 = "800x600x16";
const std::string M8 = "800x600x8";

// Every branch of a switch from 1024x768x16, each taken by one row.
const BranchCase BRANCHES[] = {
    {"standard: tested, confirmed, set", 0, 16, 1, 0, 0, 0, {IDOK}, 1,
     1, {"test " + M16, "update " + M16}, {}, {"1019 asterisk"}},
    {"standard: tested, confirmation cancelled", 0, 16, 1, 0, 0, 0, {IDCANCEL}, 1,
     0, {"test " + M16}, {}, {"1019 asterisk"}},
    {"standard: tested, set without asking", 0, 16, 0, 0, 0, 0, {}, 1,
     1, {"test " + M16, "update " + M16}, {}, {}},
    {"standard: tested, then the update is refused", 0, 16, 0, 0, 0, -1, {IDOK}, 1,
     0, {"test " + M16, "update " + M16}, {}, {"1018 hand"}},
    {"standard: restart needed, declined", 0, 16, 0, 0, 1, 1, {IDNO}, 1,
     0, {"test " + M16}, {}, {"1017 exclamation"}},
    {"standard: restart needed, accepted", 0, 16, 1, 0, 1, 1, {IDYES}, 1,
     0, {"test " + M16, "update " + M16}, {"RestartWindows"}, {"1017 exclamation"}},
    {"standard: restart needed, accepted, but the update was live", 0, 16, 0, 0, 1, 0, {IDYES, IDOK}, 1,
     0, {"test " + M16, "update " + M16}, {}, {"1017 exclamation", "1018 hand"}},
    {"standard: refused without the library", 0, 16, 1, 0, -2, 0, {IDOK}, 1,
     0, {"test " + M16}, {}, {"1018 exclamation"}},
    {"standard: restart needed, the library makes it live", 1, 16, 1, 0, 1, 0, {}, 1,
     1, {"test " + M16, "update " + M16}, {"QuickResChange " + M16}, {}},
    {"standard: refused, the library makes it live", 1, 16, 0, 0, -1, 0, {}, 1,
     1, {"test " + M16, "update " + M16}, {"QuickResChange " + M16}, {}},
    {"standard: refused, the library fails too", 1, 16, 0, 0, -1, 0, {}, 0,
     0, {"test " + M16, "update " + M16}, {"QuickResChange " + M16}, {}},
    {"standard path for a depth change without the library", 0, 8, 0, 0, 0, 0, {}, 1,
     1, {"test " + M8, "update " + M8}, {}, {}},
    {"quick: refused, restart declined", 1, 8, 1, -1, 0, 0, {IDNO}, 1,
     0, {"quick " + M8}, {}, {"1017 exclamation"}},
    {"quick: refused, restart accepted", 1, 8, 0, 1, 0, 0, {IDYES}, 1,
     0, {"quick " + M8, "update " + M8}, {"RestartWindows"}, {"1017 exclamation"}},
    {"quick: tested, restart chosen", 1, 8, 1, 0, 0, 1, {IDOK}, 1,
     0, {"quick " + M8, "update " + M8}, {"RestartWindows"}, {"140"}},
    {"quick: tested, live switch chosen", 1, 8, 1, 0, 0, 1, {IDC_SWITCH_LIVE}, 1,
     1, {"quick " + M8, "update " + M8}, {"QuickResChange " + M8}, {"140"}},
    {"quick: tested, live switch fails", 1, 8, 1, 0, 0, 1, {IDC_SWITCH_LIVE}, 0,
     0, {"quick " + M8, "update " + M8}, {"QuickResChange " + M8}, {"140"}},
    {"quick: tested, cancelled", 1, 8, 1, 0, 0, 0, {IDCANCEL}, 1,
     0, {"quick " + M8}, {}, {"140"}},
    {"quick: tested, live without asking", 1, 8, 0, 0, 0, 0, {}, 1,
     1, {"quick " + M8, "update " + M8}, {"QuickResChange " + M8}, {}},
};

TEST_F(SwitchingTest, EveryBranchMakesExactlyItsCallsAndShowsExactlyItsBoxes)
{
    for (const BranchCase& c : BRANCHES) {
        SCOPED_TRACE(c.name);
        simulated::TheAdapter().calls.clear();
        simulated::TheAdapter().screenWidth = 1024;
        simulated::TheAdapter().screenHeight = 768;
        simulated::TheAdapter().bitsPerPixel = 16;
        RefreshDisplayState(Shell.toolWindow);
        simulated::TheAdapter().calls.clear();
        simulated::TheAdapter().results = {{QUICK_TEST, c.quickTest}, {CDS_TEST, c.test},
                                           {CDS_UPDATEREGISTRY, c.update}};
        Shell.quickChangeAvailable = c.quick;
        SetEnvironmentVariableA("NRXCHG32_QUICK_RESULT", c.libraryResult ? "1" : "0");
        DeleteFileA(LIBRARY_LOG);
        size_t first = boxes.Seen().size();
        for (int answer : c.answers)
            boxes.Queue(answer);
        EXPECT_EQ(c.result, SwitchDisplayMode(Shell.toolWindow, 800, 600, c.bits, c.confirm));
        EXPECT_EQ(c.calls, DisplayCalls());
        EXPECT_EQ(c.library, LibraryCalls());
        EXPECT_EQ(c.boxes, Boxes(boxes, first));
    }
}

TEST_F(SwitchingTest, NothingHappensForTheCurrentModeAMissingDepthOrAnUnreadableScreen)
{
    EXPECT_EQ(0, SwitchDisplayMode(Shell.toolWindow, 1024, 768, 16, 1));
    EXPECT_EQ(0, SwitchDisplayMode(Shell.toolWindow, 0, 0, 0, 1));
    EXPECT_EQ(0, SwitchDisplayMode(Shell.toolWindow, 800, 600, 32, 1));
    CurrentDisplay.width = 0;
    EXPECT_EQ(0, SwitchDisplayMode(Shell.toolWindow, 800, 600, 16, 1));
    EXPECT_TRUE(DisplayCalls().empty());
    EXPECT_TRUE(boxes.Seen().empty());
}

TEST_F(SwitchingTest, ZeroArgumentsMeanTheCurrentValues)
{
    EXPECT_EQ(1, SwitchDisplayMode(Shell.toolWindow, 800, 600, 0, 0));
    EXPECT_EQ(1, SwitchDisplayMode(Shell.toolWindow, 0, 0, 8, 0));
    std::vector<std::string> expected = {"test 800x600x16", "update 800x600x16", "test 800x600x8",
                                         "update 800x600x8"};
    EXPECT_EQ(expected, DisplayCalls());
    ASSERT_EQ(4u, simulated::TheAdapter().calls.size());
    EXPECT_EQ((DWORD)(DM_PELSWIDTH | DM_PELSHEIGHT), simulated::TheAdapter().calls[0].fields);
    EXPECT_EQ((DWORD)DM_BITSPERPEL, simulated::TheAdapter().calls[2].fields);
}

TEST_F(SwitchingTest, ModeChoiceRule)
{
    struct Case {
        int width, height, bits;
        std::string chosen;
        DWORD fields;
    } cases[] = {
        // only 640x480 and 800x600 at 8 bits: the largest height not above the request
        {1024, 768, 8, "800x600x8", DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT},
        // below every mode of the depth: the first of the depth
        {320, 200, 8, "640x480x8", DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT},
        // an exact match wins, widths only count for it
        {640, 480, 16, "640x480x16", DM_PELSWIDTH | DM_PELSHEIGHT},
        {2000, 600, 16, "800x600x16", DM_PELSWIDTH | DM_PELSHEIGHT},
        // matched as 16-bit values
        {65536 + 800, 65536 + 600, 65536 + 16, "800x600x16", DM_PELSWIDTH | DM_PELSHEIGHT},
    };
    for (const Case& c : cases) {
        simulated::TheAdapter().calls.clear();
        simulated::TheAdapter().results = {{CDS_UPDATEREGISTRY, -1}};  // nothing really changes
        boxes.Queue(IDOK);
        SwitchDisplayMode(Shell.toolWindow, c.width, c.height, c.bits, 0);
        ASSERT_FALSE(simulated::TheAdapter().calls.empty()) << c.chosen;
        EXPECT_EQ("test " + c.chosen, DisplayCalls()[0]);
        EXPECT_EQ(c.fields, simulated::TheAdapter().calls[0].fields) << c.chosen;
    }
}

TEST_F(SwitchingTest, ToolWindowKeepsItsRelativePlaceAndStaysAtTheRightEdge)
{
    RECT before = ToolRect();
    int width = before.right - before.left;
    int height = before.bottom - before.top;
    MoveTool(1024 - width, 0);
    EXPECT_EQ(1, SwitchAndMoveWindow(Shell.toolWindow, 800, 600, 0, 0));
    EXPECT_EQ(800, ToolRect().right);
    EXPECT_EQ(0, ToolRect().top);

    MoveTool(400, 300);
    EXPECT_EQ(1, SwitchAndMoveWindow(Shell.toolWindow, 1024, 768, 0, 0));
    EXPECT_EQ(512, ToolRect().left);
    EXPECT_EQ(384, ToolRect().top);
    EXPECT_EQ(width, ToolRect().right - ToolRect().left);
    EXPECT_EQ(height, ToolRect().bottom - ToolRect().top);

    // A refused switch leaves the window alone.
    simulated::TheAdapter().results = {{CDS_TEST, -1}};
    boxes.Queue(IDOK);
    EXPECT_EQ(0, SwitchAndMoveWindow(Shell.toolWindow, 800, 600, 0, 0));
    EXPECT_EQ(512, ToolRect().left);
}

TEST_F(SwitchingTest, MenuChoiceConfirmedStaysAndDeclinedRollsBackModeAndWindow)
{
    MoveTool(300, 200);
    RECT before = ToolRect();
    int index = 3;  // 800x600x16
    ASSERT_EQ(800u, ModeList.records[index].dmPelsWidth);
    boxes.Queue({IDOK, IDOK});
    SelectModeFromMenu(index);
    EXPECT_EQ((std::vector<std::string>{"1019 asterisk", "130"}), Boxes(boxes));
    EXPECT_EQ(Shell.toolWindow, boxes.Seen()[1].owner);
    EXPECT_EQ(800, CurrentDisplay.width);
    EXPECT_EQ(234, ToolRect().left);  // 300 * 800 / 1024

    simulated::TheAdapter().calls.clear();
    boxes.Queue({IDOK, IDCANCEL});
    SelectModeFromMenu(4);  // 1024x768x16
    EXPECT_EQ((std::vector<std::string>{"1019 asterisk", "130"}), Boxes(boxes, 2));
    std::vector<std::string> expected = {"test 1024x768x16", "update 1024x768x16",
                                         "test 800x600x16", "update 800x600x16"};
    EXPECT_EQ(expected, DisplayCalls());  // the way back asks nothing
    EXPECT_EQ(800, CurrentDisplay.width);
    EXPECT_EQ(234, ToolRect().left);
    (void)before;
}

TEST_F(SwitchingTest, QuestionDefaultsToNoShowsTheQuestionIconAndSitsInTheMiddle)
{
    DWORD buttonStyles[2] = {};
    HICON icon = NULL;
    RECT placed = {};
    boxes.Queue(driver::HOLD);  // answered below, as a user would
    std::thread user([&] {
        HWND dialog = driver::WaitForDialog(GetCurrentProcessId(), "ﾚｿﾞﾙ ｳﾞｧ");
        if (!dialog || !driver::WaitFor([&] { return IsWindowVisible(dialog) != FALSE; }))
            return;
        buttonStyles[0] = GetWindowLongA(GetDlgItem(dialog, IDOK), GWL_STYLE) & BS_TYPEMASK;
        buttonStyles[1] = GetWindowLongA(GetDlgItem(dialog, IDCANCEL), GWL_STYLE) & BS_TYPEMASK;
        icon = driver::BoxIcon(dialog);
        GetWindowRect(dialog, &placed);
        // Space presses the focused button.
        PostMessageA(GetDlgItem(dialog, IDCANCEL), WM_KEYDOWN, VK_SPACE, 0);
        PostMessageA(GetDlgItem(dialog, IDCANCEL), WM_KEYUP, VK_SPACE, 0xC0000000);
    });
    EXPECT_EQ(IDCANCEL, RunConfirmationDialog(Shell.toolWindow));
    user.join();
    EXPECT_EQ((DWORD)BS_PUSHBUTTON, buttonStyles[0]);
    EXPECT_EQ((DWORD)BS_DEFPUSHBUTTON, buttonStyles[1]);
    EXPECT_EQ(LoadIconA(NULL, IDI_QUESTION), icon);
    EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN) / 2 + (placed.left - placed.right) / 2, placed.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN) / 2 + (placed.top - placed.bottom) / 2, placed.top);
}

TEST_F(SwitchingTest, MenuChoiceOfTheCurrentModeOrAnUnknownIndexDoesNothing)
{
    SelectModeFromMenu(4);  // 1024x768x16, the mode in use
    SelectModeFromMenu(-1);
    SelectModeFromMenu(5);
    SelectModeFromMenu(1000);
    EXPECT_TRUE(DisplayCalls().empty());
    EXPECT_TRUE(boxes.Seen().empty());
}

// Wine moves the X pointer behind SetCursorPos; a moment later it is there.
bool PointerReaches(int x, int y)
{
    POINT pointer = {};
    bool reached = driver::WaitFor([&] {
        GetCursorPos(&pointer);
        return pointer.x == x && pointer.y == y;
    }, 1000);
    EXPECT_EQ(x, pointer.x);
    EXPECT_EQ(y, pointer.y);
    return reached;
}

// Slots 0..19 of equal-height sizes, all at 16 bits; `enabled` lists the
// slots allowed for quick switching.
class CycleTest : public SwitchingTest {
protected:
    void SetUp() override
    {
        InProcessProgram::SetUp();
        for (int i = 0; i < MAX_SLOTS; ++i)
            simulated::AddMode(640 + 16 * i, 480, 16);
        simulated::TheAdapter().bitsPerPixel = 16;
        ASSERT_EQ(MAX_SLOTS, BuildModeList());
        ASSERT_TRUE(CreateStoredToolWindow());
        SetEnvironmentVariableA("NRXCHG32_LOG", NULL);
    }
    void SetScreen(int slot)
    {
        simulated::TheAdapter().screenWidth = ResolutionTable.slots[slot].width;
        simulated::TheAdapter().screenHeight = ResolutionTable.slots[slot].height;
        RefreshDisplayState(Shell.toolWindow);
        simulated::TheAdapter().calls.clear();
    }
};

TEST_F(CycleTest, VisitsEverySlotButTheCurrentOneDownwardsThenWrapsFromTheTop)
{
    const std::vector<std::vector<int>> enabledSets = {{}, {7}, {0, 19}, {3, 4, 12, 18}};
    for (const std::vector<int>& enabled : enabledSets) {
        for (int current = 0; current < MAX_SLOTS; ++current) {
            for (int i = 0; i < MAX_SLOTS; ++i)
                ResolutionTable.slots[i].switchEnabled = 0;
            for (int i : enabled)
                ResolutionTable.slots[i].switchEnabled = 1;
            SetScreen(current);
            ASSERT_EQ(current, CurrentDisplay.slotIndex);
            int expected = -1;
            for (int step = 1; step < MAX_SLOTS && expected < 0; ++step) {
                int candidate = (current - step + MAX_SLOTS) % MAX_SLOTS;
                for (int i : enabled)
                    if (i == candidate)
                        expected = candidate;
            }
            int result = CycleResolution(Shell.toolWindow);
            std::string where = "current " + std::to_string(current) + ", " +
                                std::to_string(enabled.size()) + " enabled";
            if (expected < 0) {
                EXPECT_EQ(0, result) << where;
                EXPECT_TRUE(simulated::TheAdapter().calls.empty()) << where;
                EXPECT_EQ(current, CurrentDisplay.slotIndex) << where;
            } else {
                EXPECT_EQ(1, result) << where;
                EXPECT_EQ(expected, CurrentDisplay.slotIndex) << where;
                EXPECT_EQ((DWORD)ResolutionTable.slots[expected].width, simulated::TheAdapter().screenWidth)
                    << where;
            }
        }
    }
}

TEST_F(CycleTest, UnavailableSlotsAndHotkeysOfDisabledSlotsAreSkipped)
{
    SetScreen(10);
    ResolutionTable.slots[9].switchEnabled = 1;
    ResolutionTable.slots[8].switchEnabled = 1;
    // Slot 9 exists only at 8 bits now.
    simulated::TheAdapter().bitsPerPixel = 8;
    RefreshDisplayState(Shell.toolWindow);
    EXPECT_EQ(0, CycleResolution(Shell.toolWindow));  // nothing exists at 8 bits
    simulated::TheAdapter().bitsPerPixel = 16;
    RefreshDisplayState(Shell.toolWindow);
    ResolutionTable.slots[9].available = 0;
    EXPECT_EQ(1, CycleResolution(Shell.toolWindow));
    EXPECT_EQ(8, CurrentDisplay.slotIndex);
    EXPECT_EQ(16, simulated::TheAdapter().bitsPerPixel);  // the depth never changes

    simulated::TheAdapter().calls.clear();
    HotkeySwitch(3);  // not enabled
    HotkeySwitch(-1);
    HotkeySwitch(MAX_SLOTS);
    EXPECT_TRUE(simulated::TheAdapter().calls.empty());
    ResolutionTable.slots[3].switchEnabled = 1;
    SendMessageA(Shell.toolWindow, WM_HOTKEY, 3, 0);
    EXPECT_EQ(640 + 16 * 3, simulated::TheAdapter().screenWidth);
}

TEST_F(CycleTest, TrayDoubleClickPutsThePointerBackOverTheIcon)
{
    SetScreen(19);  // 944x480
    ResolutionTable.slots[5].switchEnabled = 1;  // 720x480
    SetCursorPos(930, 470);                      // near the bottom-right corner
    SendMessageA(Shell.toolWindow, WM_TRAYICON, TRAY_ICON_ID, WM_LBUTTONDBLCLK);
    EXPECT_EQ(720, simulated::TheAdapter().screenWidth);
    // The height did not change, so only x moves.
    EXPECT_TRUE(PointerReaches(930 - 944 + 720, 470));
    EXPECT_EQ(1, Shell.trayDoubleClicked);
}

TEST_F(CycleTest, CycleButtonKeepsThePointerOverTheButton)
{
    SetScreen(19);
    ResolutionTable.slots[0].switchEnabled = 1;  // 640x480
    RECT r;
    GetWindowRect(Shell.toolWindow, &r);
    SetCursorPos(r.left + 10, r.top + 20);
    SendMessageA(Shell.toolWindow, WM_COMMAND, IDM_CYCLE, 0);
    ASSERT_EQ(640, simulated::TheAdapter().screenWidth);
    GetWindowRect(Shell.toolWindow, &r);
    EXPECT_EQ(640, r.right);  // it was at the right edge and stays there
    EXPECT_TRUE(PointerReaches(r.left + 10, r.top + 20));
}

}  // namespace
