// Answers the message boxes and dialogs of a process as a user would.
#include "box_answerer.h"
#include "driver.h"

#include <gtest/gtest.h>

#include <atomic>

namespace driver {

// Two answerers of one process would both take its boxes.
static std::atomic<int> inProcessAnswerers(0);

BoxAnswerer::BoxAnswerer(DWORD processId)
    : processId_(processId), inProcess_(processId == GetCurrentProcessId()), thread_([this] { Run(); })
{
    if (inProcess_ && ++inProcessAnswerers > 1)
        ADD_FAILURE() << "a second BoxAnswerer for this process";
}

BoxAnswerer::~BoxAnswerer()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    thread_.join();
    if (inProcess_)
        --inProcessAnswerers;
}

void BoxAnswerer::Queue(int button)
{
    std::lock_guard<std::mutex> lock(mutex_);
    answers_.push_back(button);
}

void BoxAnswerer::Queue(std::initializer_list<int> buttons)
{
    for (int button : buttons)
        Queue(button);
}

std::vector<SeenBox> BoxAnswerer::Seen()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

bool BoxAnswerer::WaitForBoxes(size_t count, DWORD timeout)
{
    return WaitFor([&] { return Seen().size() >= count; }, timeout);
}

static BOOL CALLBACK CollectStatic(HWND child, LPARAM parameter)
{
    char className[32];
    GetClassNameA(child, className, sizeof(className));
    std::string text = WindowText(child);
    if (lstrcmpiA(className, "Static") == 0 && !text.empty()) {
        std::string* joined = (std::string*)parameter;
        if (!joined->empty())
            *joined += "|";
        *joined += text;
    }
    return TRUE;
}

std::string BoxText(HWND box)
{
    if (GetDlgItem(box, 0xFFFF))
        return MessageBoxText(box);
    std::string joined;
    EnumChildWindows(box, CollectStatic, (LPARAM)&joined);
    return joined;
}

static BOOL CALLBACK FindIcon(HWND child, LPARAM parameter)
{
    char className[32];
    GetClassNameA(child, className, sizeof(className));
    if (lstrcmpiA(className, "Static") != 0 || (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
        return TRUE;
    *(HICON*)parameter = (HICON)SendMessageA(child, STM_GETICON, 0, 0);
    return FALSE;
}

HICON BoxIcon(HWND box)
{
    HICON icon = NULL;
    EnumChildWindows(box, FindIcon, (LPARAM)&icon);
    return icon;
}

void BoxAnswerer::Handle(HWND box)
{
    SeenBox seen = {box, GetWindow(box, GW_OWNER), WindowText(box), BoxText(box), BoxIcon(box), HOLD};
    bool expected;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        expected = !answers_.empty();
        if (expected) {
            seen.answer = answers_.front();
            answers_.pop_front();
        }
        // Every dialog of ours, and every message box, ends on IDCANCEL.
        if (!expected && inProcess_)
            seen.answer = IDCANCEL;
        seen_.push_back(seen);
    }
    if (!expected && inProcess_)
        ADD_FAILURE() << "unexpected box \"" << seen.title << "\": " << seen.text;
    if (seen.answer != HOLD)
        PostCommand(box, seen.answer);
}

// Marks a handled box on the box itself: a box that opens as soon as
// another closed may get its handle, and must not pass for the one seen.
static const char HANDLED_MARK[] = "NrxBoxAnswerer";

void BoxAnswerer::Run()
{
    std::vector<HWND> handled;  // the boxes that took no mark
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stop_)
                return;
        }
        for (HWND box : ProcessWindows(processId_, "#32770")) {
            bool known = GetPropA(box, HANDLED_MARK) != NULL;
            for (HWND seen : handled)
                known = known || seen == box;
            if (known || !IsWindowVisible(box))
                continue;
            Sleep(30);  // let the dialog finish its WM_INITDIALOG
            if (!SetPropA(box, HANDLED_MARK, (HANDLE)1))
                handled.push_back(box);
            Handle(box);
        }
        // Forget boxes that are gone: a later box may get the same handle.
        std::vector<HWND> alive;
        for (HWND seen : handled)
            if (IsWindow(seen))
                alive.push_back(seen);
        handled.swap(alive);
        Sleep(15);
    }
}

}  // namespace driver
