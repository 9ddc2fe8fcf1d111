// The uninstall benchmark's record of NRXDEL's work: while the sequence
// runs in-process, every call that changes a file, the registry or Program
// Manager's groups is recorded with what it names (keys by their full path
// under a predefined root), and every call of the sequence's interesting
// imports is timed; afterwards the recorded work can be made again
// directly, on the footprint laid anew.
#ifndef TESTBED_UNINSTALL_WORK_H
#define TESTBED_UNINSTALL_WORK_H

#include <windows.h>

#include <map>
#include <string>

namespace uninstall_work {

double Now();  // milliseconds

struct Spent {
    double ms = 0;
    int calls = 0;
};

// While one lives, the sequence's imports are hooked: the work recorded
// (what an earlier recording held is dropped), each call timed by import,
// and the final message box answered at once, its time noted.
class Recording {
public:
    Recording();
    ~Recording();
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;
};

// Time spent in each import during the last recording, and how many calls.
const std::map<std::string, Spent>& SpentByImport();
// When the final message came in the last recording (0: it never came).
double FinalMessageAt();
// The recorded work, counted: "319 DeleteFileA, ..., 21 Program Manager
// conversations with 62 commands".
std::string Summary();
// Makes the recorded work again in its order: the same deletions, the
// bytes the sequence copied written straight to their targets, the same
// values written and removed, the same Program Manager commands in the
// same conversations, DDEML set up and ended around them. Milliseconds.
double Replay();

}  // namespace uninstall_work

#endif
