// The soak run: every action a resident program lives through, repeated
// many times on the real program, with what the program holds counted after
// a warm-up and at the end (process_census.h). An action holds when nothing
// grows beyond a constant: objects by at most OBJECT_SLACK, memory by at
// most MEMORY_SLACK plus what is far below one leaked object per cycle.
#ifndef TESTBED_SOAK_H
#define TESTBED_SOAK_H

#include "process_census.h"

#include <functional>
#include <string>

namespace soak {

// A lazily made object or two may come after the warm-up; a leak of one
// object per cycle shows as many as there were cycles (at least 5).
const int OBJECT_SLACK = 2;
// Memory catches what has no count (bitmaps' bits, DDE data, heap blocks):
// the heap commits in steps and Wine fills caches once, hence a constant;
// beyond it a leak of a 1 KB block a cycle shows as 1 MB in 1,000 cycles.
// Small objects are caught by their counts instead.
const long long MEMORY_SLACK = 256 * 1024;
const long long MEMORY_PER_CYCLE = 32;

// Whose figures an action changes: a started program, or this process.
struct Subject {
    std::string name;
    HANDLE process;  // NULL: this process
};

struct Action {
    std::string name;
    int fullCycles;  // at scale 1
    // One repetition, the n-th; false when the program did not do what a
    // user would see it do.
    std::function<bool(int n)> cycle;
    // What Wine itself keeps of the system calls a cycle makes, which no
    // program can give back: its mode changes (ChangeDisplaySettingsA) and
    // its DdeConnect calls that find no server.
    int modeChanges = 0;
    int failedConnects = 0;
    // Waits, before each count, for what other processes still do on a
    // cycle's behalf (their objects would be counted with the subject's).
    // Their global atoms are the session's as much as the subject's: with
    // a settle the atoms are shown, not judged.
    std::function<void()> settle;
};

// Measures, in this process, what Wine keeps of one mode change and of one
// DdeConnect that finds no server; prints it. Before any part runs.
void MeasureWinesOwnGrowth();

// The cycles at `scale`: at least 10 (or all there are at full scale);
// none for an action of under 10 cycles that the scale brings under 1.
int CyclesAt(int fullCycles, double scale);

// Runs `action` on `subject`: a warm-up, the figures, the cycles, the
// figures again; prints its row and returns whether it held.
bool Run(const Subject& subject, const Action& action, double scale);

// The rows' heading.
void PrintHeading();

// Whether `window`'s thread has taken every message sent so far: a cycle
// that only waited for the screen to change would be counted while the
// program still finishes the switch (the system keeps objects per mode
// change, counted with the program's).
bool Settled(HWND window);

// A menu of process `processId` opens (after what the cycle did) and
// closes again with Escape.
bool MenuOpensAndCloses(DWORD processId);

// Has `window` of another process paint what it has not painted yet, and
// waits for it: what a user sees before clicking.
void PaintedNow(HWND window);

// The test bed's build folder as the programs under Wine see it.
std::string BuildFolder();

}  // namespace soak

#endif
