// Start-up benchmark: the time from CreateProcess to the moment the started
// program is ready for the user, for several programs measured in turn over
// rounds in one Wine session (every other round in the opposite order, so
// that no program always follows the same one). A program that names its
// baseline (LABEL/BASELINE), a program doing the same system work directly,
// is judged by the ratio of the two within each round, since both then meet
// the same load: the median of those ratios with its 95 % interval against
// the goal, rounds added while the interval straddles it (median_verdict.h).
// Ready is its first visible top-level window; for a tray program
// (LABEL@CLASS:ICON) its window of that class with the tray icon of that id
// shown. The first program is the bare window, the yardstick of the "to
// bare" column. --lcd-machine lays the vendor's LCD adapter and portrait
// driver into the prefix's registry for the run (the LCD programs' testbed
// builds then find their panel) and puts it back; --no-verdict prints the
// figures unjudged. --noise times the bare window alone and says whether the
// host is too noisy for any verdict (exit code 3).
//
//   startup_benchmark [--lcd-machine] [--no-verdict] ROUNDS LABEL[@CLASS:ICON][/BASELINE]=PATH ...
//   startup_benchmark --noise STARTS PATH
#include "driver.h"
#include "lcd_registry_layout.h"
#include "median_verdict.h"
#include "registry_restorer.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using median_verdict::Judged;

// A program may take this much longer than the same system work made directly.
const double SAME_WORK_GOAL = 1.1;
// While a verdict is unsure, rounds of its program and baseline are added
// ten at a time, up to 45 rounds; then it is undecided.
const int ROUNDS_STEP = 10;
const int ROUNDS_CAP = 45;

struct Candidate {
    std::string label;
    std::string path;
    std::string trayClass;  // empty: ready at its first visible window
    UINT trayIcon;
    std::string baseline;  // the label of its same-work baseline, or empty
    std::vector<double> times;  // ms per round; -1: not started, or never ready
    Judged judged;  // against its baseline
};

struct VisibleSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM parameter)
{
    VisibleSearch* search = (VisibleSearch*)parameter;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CloseWindowOf(HWND window, LPARAM processId)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == (DWORD)processId)
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (to.QuadPart - from.QuadPart) * 1000.0 / frequency.QuadPart;
}

bool Ready(const Candidate& candidate, DWORD processId)
{
    if (!candidate.trayClass.empty()) {
        for (HWND window : driver::ProcessWindows(processId, candidate.trayClass.c_str()))
            if (driver::TrayIconShown(window, candidate.trayIcon))
                return true;
        return false;
    }
    VisibleSearch search = {processId, NULL};
    EnumWindows(FindVisible, (LPARAM)&search);
    return search.found != NULL;
}

// One start: milliseconds until it is ready, or -1.
double MeasureStart(const Candidate& candidate)
{
    const std::string& path = candidate.path;
    std::string folder = path.substr(0, path.find_last_of("\\/"));
    std::string line = "\"" + path + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER begin, now;
    QueryPerformanceCounter(&begin);
    if (!CreateProcessA(path.c_str(), &line[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(),
                        &startup, &process))
        return -1;
    double elapsed = -1;
    for (;;) {
        bool ready = Ready(candidate, process.dwProcessId);
        QueryPerformanceCounter(&now);
        if (ready) {
            elapsed = Milliseconds(begin, now);
            break;
        }
        if (Milliseconds(begin, now) > 10000 || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
            break;
        Sleep(1);
    }
    EnumWindows(CloseWindowOf, (LPARAM)process.dwProcessId);
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    Sleep(200);  // let the shell and the desktop settle before the next start
    return elapsed;
}

// The bare window alone, `starts` times: how noisy the host is now. Exit
// code 3 when too noisy for any verdict.
int MeasureNoise(int starts, const std::string& path)
{
    Candidate bare = {"bare", path, "", 0, "", {}, {}};
    MeasureStart(bare);  // pays for the disk cache once, as the rounds do
    for (int i = 0; i < starts; ++i)
        bare.times.push_back(MeasureStart(bare));
    median_verdict::Spread spread = median_verdict::SpreadOf(bare.times);
    bool tooNoisy = median_verdict::TooNoisy(spread);
    std::printf("noise: the bare window alone, %d starts: median %.1f ms, interquartile range %.2f of it "
                "(at most %.2f for a verdict), max/min %.2f\n",
                starts, spread.median, spread.interquartile, median_verdict::TOO_NOISY, spread.maxToMin);
    if (tooNoisy)
        std::printf("noise: this host is too noisy for any verdict now; the figures below are not judged\n");
    std::fflush(stdout);
    return tooNoisy ? 3 : 0;
}

const Candidate* Find(const std::vector<Candidate>& candidates, const std::string& label)
{
    for (const Candidate& candidate : candidates)
        if (candidate.label == label)
            return &candidate;
    return NULL;
}

// Whether a candidate starts in rounds added for unsure verdicts: an unsure
// program and its baseline do.
bool TakesPartInAddedRounds(const std::vector<Candidate>& candidates, const Candidate& candidate)
{
    for (const Candidate& other : candidates)
        if (other.judged.verdict == median_verdict::MORE_ROUNDS &&
            (&other == &candidate || other.baseline == candidate.label))
            return true;
    return false;
}

// One round: every candidate that takes part started once, in the order
// of the arguments or, every other round, the opposite order.
void RunRound(std::vector<Candidate>& candidates, int round, bool everyone)
{
    std::vector<bool> takesPart;
    for (const Candidate& candidate : candidates)
        takesPart.push_back(everyone || TakesPartInAddedRounds(candidates, candidate));
    for (size_t i = 0; i < candidates.size(); ++i) {
        size_t index = round % 2 ? candidates.size() - 1 - i : i;
        Candidate& candidate = candidates[index];
        candidate.times.resize(round + 1, -1);
        if (takesPart[index])
            candidate.times[round] = MeasureStart(candidate);
    }
}

// Each program against its baseline, round by round; true while any of
// them asks for more rounds.
bool JudgeAll(std::vector<Candidate>& candidates, size_t cap, bool judge)
{
    bool unsure = false;
    for (Candidate& candidate : candidates) {
        const Candidate* baseline = Find(candidates, candidate.baseline);
        if (!baseline)
            continue;
        candidate.judged = median_verdict::Judge(median_verdict::PairedRatios(candidate.times, baseline->times),
                                                 SAME_WORK_GOAL, cap, judge);
        unsure |= candidate.judged.verdict == median_verdict::MORE_ROUNDS;
    }
    return unsure;
}

void PrintTimes(const std::vector<Candidate>& candidates)
{
    std::printf("%-14s %6s %9s %9s %8s\n", "program", "starts", "median", "min", "to bare");
    for (const Candidate& candidate : candidates) {
        std::vector<double> started = median_verdict::MeasuredTimes(candidate.times);
        double toBare = median_verdict::Median(median_verdict::PairedRatios(candidate.times, candidates.front().times));
        std::printf("%-14s %6zu %7.1fms %7.1fms %8.2f\n", candidate.label.c_str(), started.size(),
                    median_verdict::Median(started), started.empty() ? 0 : *std::min_element(started.begin(), started.end()),
                    toBare);
    }
}

void PrintVerdicts(const std::vector<Candidate>& candidates, const median_verdict::Schedule& schedule)
{
    std::printf("\nagainst its same work, %s;\n  goal: at most %.1f; %s\n", median_verdict::METHOD,
                SAME_WORK_GOAL, median_verdict::Describe(schedule).c_str());
    std::printf("%-14s %6s  %s\n", "program", "rounds", median_verdict::RESULT_HEADING);
    for (const Candidate& candidate : candidates)
        if (!candidate.baseline.empty())
            std::printf("%-14s %6zu  %s\n", candidate.label.c_str(), candidate.judged.rounds,
                        median_verdict::Describe(candidate.judged).c_str());
}

std::vector<Candidate> ParseCandidates(int argc, char** argv, int first)
{
    std::vector<Candidate> candidates;
    for (int i = first; i < argc; ++i) {
        std::string argument = argv[i];
        size_t equals = argument.find('=');
        std::string label = argument.substr(0, equals), trayClass, against;
        UINT trayIcon = 0;
        size_t slash = label.find('/');
        if (slash != std::string::npos) {
            against = label.substr(slash + 1);
            label = label.substr(0, slash);
        }
        size_t at = label.find('@'), colon = label.find(':');
        if (at != std::string::npos && colon != std::string::npos && colon > at) {
            trayClass = label.substr(at + 1, colon - at - 1);
            trayIcon = (UINT)atoi(label.c_str() + colon + 1);
            label = label.substr(0, at);
        }
        candidates.push_back({label, argument.substr(equals + 1), trayClass, trayIcon, against, {}, {}});
    }
    return candidates;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--noise") == 0)
        return MeasureNoise(std::max(1, atoi(argv[2])), argv[3]);
    bool lcdMachine = false, judge = true;
    int first = 1;
    for (; first < argc && std::strncmp(argv[first], "--", 2) == 0; ++first) {
        lcdMachine |= std::strcmp(argv[first], "--lcd-machine") == 0;
        judge &= std::strcmp(argv[first], "--no-verdict") != 0;
    }
    if (argc < first + 2) {
        std::fprintf(stderr, "usage: startup_benchmark [--lcd-machine] [--no-verdict] ROUNDS "
                             "LABEL[@CLASS:ICON][/BASELINE]=PATH ...\n"
                             "       startup_benchmark --noise STARTS PATH\n");
        return 2;
    }
    int rounds = std::max(1, atoi(argv[first]));
    std::vector<Candidate> candidates = ParseCandidates(argc, argv, first + 1);
    testreg::RegistryRestorer restorer;
    if (lcdMachine) {
        restorer.Key(HKEY_DYN_DATA, "Config Manager\\Enum\\NRX0000");
        restorer.Key(HKEY_LOCAL_MACHINE, "Enum\\PCI\\VEN_10F0&DEV_0104");
        restorer.Key(HKEY_LOCAL_MACHINE, std::string(lcdreg::CLASS_ROOT) + "DISPLAY\\0001");
        restorer.Key(HKEY_CURRENT_USER, lcdreg::NRXLCD_KEY);
        lcdreg::PortraitInstallation();
    }
    // One unmeasured start each: the first start of a program pays for the
    // disk cache and Wine's DLL loading once.
    for (Candidate& candidate : candidates)
        MeasureStart(candidate);
    const median_verdict::Schedule schedule = {rounds, ROUNDS_STEP, ROUNDS_CAP};
    int round = 0;
    median_verdict::UntilSure(
        schedule,
        [&](int upTo) {
            for (; round < upTo; ++round)
                RunRound(candidates, round, round < schedule.start);
        },
        [&](size_t cap) { return JudgeAll(candidates, cap, judge); });
    PrintTimes(candidates);
    PrintVerdicts(candidates, schedule);
    std::fflush(stdout);
    return 0;
}
