// Start-up benchmark: the time from CreateProcess to the first visible
// top-level window of the started program, for several programs measured in
// turn over several rounds in one Wine session, with the median of each and
// its ratio to the first program (the baseline).
//
//   startup_benchmark ROUNDS LABEL=PATH [LABEL=PATH ...]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Candidate {
    std::string label;
    std::string path;
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

// One start: milliseconds until a visible window, or -1.
double MeasureStart(const std::string& path)
{
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
        VisibleSearch search = {process.dwProcessId, NULL};
        EnumWindows(FindVisible, (LPARAM)&search);
        QueryPerformanceCounter(&now);
        if (search.found) {
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
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_benchmark ROUNDS LABEL=PATH ...\n");
        return 2;
    }
    int rounds = std::max(1, atoi(argv[1]));
    std::vector<Candidate> candidates;
    for (int i = 2; i < argc; ++i) {
        std::string argument = argv[i];
        size_t equals = argument.find('=');
        candidates.push_back({argument.substr(0, equals), argument.substr(equals + 1), {}});
    }
    // One unmeasured start each: the first start of a program pays for the
    // disk cache and Wine's DLL loading once.
    for (Candidate& candidate : candidates)
        MeasureStart(candidate.path);
    for (int round = 0; round < rounds; ++round)
        for (Candidate& candidate : candidates) {
            double time = MeasureStart(candidate.path);
            if (time >= 0)
                candidate.times.push_back(time);
        }
    double baseline = Median(candidates.front().times);
    std::printf("%-12s %6s %9s %9s %9s %7s\n", "program", "starts", "median", "min", "max", "ratio");
    for (const Candidate& candidate : candidates) {
        const std::vector<double>& t = candidate.times;
        double median = Median(t);
        std::printf("%-12s %6zu %7.1fms %7.1fms %7.1fms %7.2f\n", candidate.label.c_str(), t.size(),
                    median, t.empty() ? 0 : *std::min_element(t.begin(), t.end()),
                    t.empty() ? 0 : *std::max_element(t.begin(), t.end()),
                    baseline > 0 ? median / baseline : 0);
    }
    std::fflush(stdout);
    return 0;
}
