// Answers the message boxes and dialogs ("#32770") of a process as a user
// would, from a thread of its own: records each box when it appears (title,
// text, owner) and presses the next queued answer. Works for the test's own
// process (in-process tests, whose modal loops run on the test thread) and
// for a started program. A box nobody expected (nothing queued) cannot be
// left open in-process, where it would block the test thread for ever: it
// fails the test and is cancelled. A started program's unexpected box is
// left open for the test to read and answer. One answerer per process.
#ifndef TESTBED_BOX_ANSWERER_H
#define TESTBED_BOX_ANSWERER_H

#include <windows.h>

#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace driver {

// Queued for a box the test expects and answers itself: it is left open.
const int HOLD = 0;

struct SeenBox {
    HWND window;
    HWND owner;
    std::string title;
    std::string text;  // a message box's text, or a dialog's static texts joined by '|'
    HICON icon;        // of its icon static, if any (compare with LoadIcon(NULL, IDI_...))
    int answer;        // the button pressed, HOLD when left open
};

class BoxAnswerer {
public:
    explicit BoxAnswerer(DWORD processId = GetCurrentProcessId());
    ~BoxAnswerer();
    // The button the next box that appears gets (IDOK, IDYES, 141, ...),
    // or HOLD.
    void Queue(int button);
    void Queue(std::initializer_list<int> buttons);
    // The boxes seen so far, in order.
    std::vector<SeenBox> Seen();
    // Waits until `count` boxes have been seen.
    bool WaitForBoxes(size_t count, DWORD timeout = 5000);

private:
    void Run();
    void Handle(HWND box);
    DWORD processId_;
    bool inProcess_;
    std::mutex mutex_;
    std::deque<int> answers_;
    std::vector<SeenBox> seen_;
    bool stop_ = false;
    std::thread thread_;
};

// A box's text as BoxAnswerer records it.
std::string BoxText(HWND box);
// The icon shown by the box's icon static; NULL when it has none.
HICON BoxIcon(HWND box);

}  // namespace driver

#endif
