// Start-up benchmark: the time from CreateProcess to the moment the started
// program is ready for the user, for several programs measured in turn over
// several rounds in one Wine session (every other round in the opposite
// order, so that no program always follows the same one), with the median
// of each and its ratio to the first program (the bare window) and, for a
// program that names one (LABEL/BASELINE), to its own baseline, a program
// doing the same system work directly. Ready is its first visible top-level
// window; for a tray program (LABEL@CLASS:ICON) its window of that class
// with the tray icon of that id shown. --lcd-machine lays the vendor's LCD
// adapter and portrait driver into the prefix's registry for the run (the
// LCD programs' testbed builds then find their panel) and puts it back.
//
//   startup_benchmark [--lcd-machine] ROUNDS LABEL[@CLASS:ICON][/BASELINE]=PATH ...
#include "driver.h"
#include "lcd_registry_layout.h"
#include "registry_restorer.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// A program may take this much longer than the same system work made directly.
const double SAME_WORK_GOAL = 1.1;

struct Candidate {
    std::string label;
    std::string path;
    std::string trayClass;  // empty: ready at its first visible window
    UINT trayIcon;
    std::string baseline;  // the label of its same-work baseline, or empty
    std::vector<double> times;  // milliseconds
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

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
    bool lcdMachine = argc > 1 && std::string(argv[1]) == "--lcd-machine";
    int first = lcdMachine ? 2 : 1;
    if (argc < first + 2) {
        std::fprintf(stderr, "usage: startup_benchmark [--lcd-machine] ROUNDS LABEL[@CLASS:ICON][/BASELINE]=PATH ...\n");
        return 2;
    }
    int rounds = std::max(1, atoi(argv[first]));
    std::vector<Candidate> candidates;
    for (int i = first + 1; i < argc; ++i) {
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
        candidates.push_back({label, argument.substr(equals + 1), trayClass, trayIcon, against, {}});
    }
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
    for (int round = 0; round < rounds; ++round)
        for (size_t i = 0; i < candidates.size(); ++i) {
            Candidate& candidate = candidates[round % 2 ? candidates.size() - 1 - i : i];
            double time = MeasureStart(candidate);
            if (time >= 0)
                candidate.times.push_back(time);
        }
    std::map<std::string, double> medians;
    for (const Candidate& candidate : candidates)
        medians[candidate.label] = Median(candidate.times);
    double bare = medians[candidates.front().label];
    std::printf("%-14s %6s %9s %9s %9s %8s %9s   (goal: at most %.1f times its same work)\n", "program", "starts",
                "median", "min", "max", "to bare", "to work", SAME_WORK_GOAL);
    for (const Candidate& candidate : candidates) {
        const std::vector<double>& t = candidate.times;
        double median = medians[candidate.label];
        std::printf("%-14s %6zu %7.1fms %7.1fms %7.1fms %8.2f", candidate.label.c_str(), t.size(), median,
                    t.empty() ? 0 : *std::min_element(t.begin(), t.end()),
                    t.empty() ? 0 : *std::max_element(t.begin(), t.end()), bare > 0 ? median / bare : 0);
        double work = candidate.baseline.empty() ? 0 : medians[candidate.baseline];
        if (work > 0)
            std::printf(" %9.2f   against %s, %s", median / work, candidate.baseline.c_str(),
                        median <= SAME_WORK_GOAL * work ? "met" : "NOT MET");
        std::printf("\n");
    }
    std::fflush(stdout);
    return 0;
}
