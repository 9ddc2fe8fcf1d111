// Uninstall benchmark (scripts/benchmark.sh, on demand): NRXDEL's whole
// sequence, from OK to its final message, on a footprint of 20 driver and
// 20 utility installs listing 200 files (each with its backup), laid on
// scratch registry roots and the scratch drive S: like the in-process
// tests; Program Manager is Wine's own over DDE. Against it, the same
// DeleteFileA and RegDeleteKeyA calls (the ones the run made, recorded in
// order) made directly on the same footprint laid again. Prints the medians,
// the ratio and where the sequence's time went, call by call.
//
//   uninstall_benchmark ROUNDS
#include "footprint.h"
#include "import_hook.h"
#include "resource.h"
#include "scratch_files.h"
#include "scratch_registry.h"
#include "selection_dialog.h"
#include "startup.h"
#include "uninstall_scratch.h"
#include "uninstaller_state.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using uninstall_scratch::DRIVE;
using uninstall_scratch::SYSTEM;
using uninstall_scratch::WINDOWS;
const int INSTALLS = 20;
const int FILES_PER_INSTALL = 5;  // as Description() lists them

double Now()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return now.QuadPart * 1000.0 / frequency.QuadPart;
}

std::string Description()
{
    std::string text;
    char line[256];
    for (int i = 0; i < INSTALLS; ++i) {
        wsprintfA(line, "driver QX-S R2; files=D%02dA.DRV,D%02dB.VXD,D%02dC.DLL,D%02dD.INF,D%02dE.EXE\n", i, i, i, i, i);
        text += line;
    }
    for (int i = 0; i < INSTALLS; ++i) {
        wsprintfA(line, "utility QX-S R2; files=U%02dA.DLL,U%02dB.HLP,U%02dC.CNT,U%02dD.INI,U%02dE.DLL\n", i, i, i, i, i);
        text += line;
    }
    return text + "others\n";
}

// The calls the run made that the direct program makes too, in order.
struct Deletion {
    bool key;
    HKEY root;
    std::string path;
};
std::vector<Deletion> deletions;
bool recording = false;

// Time spent in each kind of call during the run, and how many.
struct Spent {
    double ms = 0;
    int calls = 0;
};
std::map<std::string, Spent> spent;
double finalMessageAt = 0;

std::vector<std::unique_ptr<testbed::ImportHook>> hooks;

// A hook that times every call of one import, by its place in HOOKED.
template <int I, typename R, typename... A>
struct Timed {
    static const char* name;
    static R WINAPI Call(A... arguments)
    {
        double start = Now();
        R result = hooks[I]->original<R(WINAPI*)(A...)>()(arguments...);
        Spent& s = spent[name];
        s.ms += Now() - start;
        ++s.calls;
        return result;
    }
};
template <int I, typename R, typename... A>
const char* Timed<I, R, A...>::name = "";

BOOL WINAPI RecordDeleteFile(LPCSTR path)
{
    if (recording)
        deletions.push_back({false, NULL, path});
    return Timed<0, BOOL, LPCSTR>::Call(path);
}

LONG WINAPI RecordDeleteKey(HKEY root, LPCSTR path)
{
    if (recording)
        deletions.push_back({true, root, path});
    return Timed<1, LONG, HKEY, LPCSTR>::Call(root, path);
}

// The final message: its time is the end of the run; it is answered at once.
int WINAPI StopAtFinalMessage(HWND, LPCSTR, LPCSTR, UINT)
{
    finalMessageAt = Now();
    return IDCANCEL;
}

struct HookRow {
    const char* dll;
    const char* function;
    void* replacement;
    const char** name;
};

#define TIMED(i, R, ...) (void*)Timed<i, R, __VA_ARGS__>::Call, &Timed<i, R, __VA_ARGS__>::name
const HookRow HOOKED[] = {
    {"KERNEL32.dll", "DeleteFileA", (void*)RecordDeleteFile, &Timed<0, BOOL, LPCSTR>::name},
    {"ADVAPI32.dll", "RegDeleteKeyA", (void*)RecordDeleteKey, &Timed<1, LONG, HKEY, LPCSTR>::name},
    {"KERNEL32.dll", "CreateFileA",
     TIMED(2, HANDLE, LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE)},
    {"ADVAPI32.dll", "RegOpenKeyExA", TIMED(3, LONG, HKEY, LPCSTR, DWORD, REGSAM, PHKEY)},
    {"ADVAPI32.dll", "RegQueryValueExA", TIMED(4, LONG, HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD)},
    {"ADVAPI32.dll", "RegEnumKeyExA",
     TIMED(5, LONG, HKEY, DWORD, LPSTR, LPDWORD, LPDWORD, LPSTR, LPDWORD, PFILETIME)},
    {"ADVAPI32.dll", "RegEnumKeyA", TIMED(6, LONG, HKEY, DWORD, LPSTR, DWORD)},
    {"ADVAPI32.dll", "RegCreateKeyA", TIMED(7, LONG, HKEY, LPCSTR, PHKEY)},
    {"ADVAPI32.dll", "RegSetValueExA", TIMED(8, LONG, HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD)},
    {"KERNEL32.dll", "GetShortPathNameA", TIMED(9, DWORD, LPCSTR, LPSTR, DWORD)},
    {"KERNEL32.dll", "RemoveDirectoryA", TIMED(10, BOOL, LPCSTR)},
    {"KERNEL32.dll", "CopyFileA", TIMED(11, BOOL, LPCSTR, LPCSTR, BOOL)},
    {"KERNEL32.dll", "WritePrivateProfileStringA", TIMED(12, BOOL, LPCSTR, LPCSTR, LPCSTR, LPCSTR)},
    {"USER32.dll", "DdeInitializeA", TIMED(13, UINT, LPDWORD, PFNCALLBACK, DWORD, DWORD)},
    {"USER32.dll", "DdeConnect", TIMED(14, HCONV, DWORD, HSZ, HSZ, PCONVCONTEXT)},
    {"USER32.dll", "DdeClientTransaction",
     TIMED(15, HDDEDATA, LPBYTE, DWORD, HCONV, HSZ, UINT, UINT, DWORD, LPDWORD)},
    {"USER32.dll", "DdeDisconnect", TIMED(16, BOOL, HCONV)},
    {"USER32.dll", "DdeUninitialize", TIMED(17, BOOL, DWORD)},
    {"USER32.dll", "MessageBoxA", (void*)StopAtFinalMessage, NULL},
};

void Hook()
{
    for (const HookRow& row : HOOKED) {
        hooks.emplace_back(new testbed::ImportHook(row.dll, row.function, row.replacement));
        if (row.name)
            *row.name = row.function;
    }
}

void Unhook()
{
    while (!hooks.empty())
        hooks.pop_back();
}

footprint::Footprint Lay()
{
    uninstall_scratch::Empty();
    footprint::Description description;
    std::string error;
    footprint::Parse(Description(), &description, &error);
    footprint::Places places = {WINDOWS, SYSTEM, uninstall_scratch::INF, DRIVE, ""};
    footprint::Footprint laid = footprint::Lay(description, places);
    testfiles::Write(std::string(WINDOWS) + "\\NRXDEL.EXE", "relocated copy");
    return laid;
}

// One run from OK to the final message, in ms; the calls recorded.
double RunSequence(const footprint::Footprint& laid)
{
    uninstall_scratch::StartAsRelocatedCopy();
    testreg::WriteString(HKEY_LOCAL_MACHINE, INSTALL_KEY, "BootDir", laid.installDirs.at("driver 19"));
    IdentifyBoard();
    Uninstaller.machineType = MACHINE_PCAT;
    HWND dialog =
        CreateDialogParamA(Uninstaller.instance, MAKEINTRESOURCEA(IDD_SELECTION), NULL, SelectionDialogProc, 0);
    CheckDlgButton(dialog, IDC_UNINSTALL_DRIVER, BST_CHECKED);
    CheckDlgButton(dialog, IDC_UNINSTALL_UTILITY, BST_CHECKED);
    SendMessageA(dialog, WM_COMMAND, IDC_UNINSTALL_DRIVER, 0);  // the refresh a click makes
    deletions.clear();
    spent.clear();
    finalMessageAt = 0;
    Hook();
    recording = true;
    double start = Now();
    SendMessageA(dialog, WM_RUN_UNINSTALL, 0, 0);
    recording = false;
    Unhook();
    DestroyWindow(dialog);
    return finalMessageAt > 0 ? finalMessageAt - start : -1;
}

// The recorded calls, made directly on the footprint laid again, in ms.
double RunDirect()
{
    double start = Now();
    for (const Deletion& deletion : deletions)
        if (deletion.key)
            RegDeleteKeyA(deletion.root, deletion.path.c_str());
        else
            DeleteFileA(deletion.path.c_str());
    return Now() - start;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.empty() ? 0 : values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    if (!testfiles::Exists(DRIVE)) {
        std::fprintf(stderr, "uninstall_benchmark: no scratch drive S: in the prefix\n");
        return 1;
    }
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof(windows));
    const std::string systemIni = std::string(windows) + "\\SYSTEM.INI";
    bool hadSystemIni = false;
    const std::string systemIniBytes = testfiles::Read(systemIni, &hadSystemIni);
    std::vector<double> sequence, direct;
    std::map<std::string, Spent> profile;
    size_t files = 0, keys = 0, laidFiles = 0;
    {
        testreg::ScratchRegistry registry;
        for (int round = 0; round <= rounds; ++round) {  // round 0 warms the caches
            footprint::Footprint laid = Lay();
            laidFiles = 0;
            for (const footprint::Item& item : laid.items)
                laidFiles += item.type == footprint::Item::FILE && !item.tags.count("other");
            double ms = RunSequence(laid);
            if (round > 0 && ms >= 0) {
                sequence.push_back(ms);
                for (const auto& kind : spent) {
                    profile[kind.first].ms += kind.second.ms / rounds;
                    profile[kind.first].calls = kind.second.calls;
                }
            }
            Lay();
            double directMs = RunDirect();
            if (round > 0)
                direct.push_back(directMs);
            files = keys = 0;
            for (const Deletion& deletion : deletions)
                (deletion.key ? keys : files) += 1;
        }
        uninstall_scratch::Empty();
    }
    if (hadSystemIni)
        testfiles::Write(systemIni, systemIniBytes);
    WritePrivateProfileStringA(NULL, NULL, NULL, "SYSTEM.INI");
    double sequenceMedian = Median(sequence), directMedian = Median(direct);
    std::printf("uninstall: %d driver and %d utility installs listing %d files (%zu files laid with the backups\n"
                "  and shared files), %d rounds\n",
                INSTALLS, INSTALLS, INSTALLS * 2 * FILES_PER_INSTALL, laidFiles, rounds);
    std::printf("  the sequence, OK to the final message   %8.1f ms   (goal: under 2000 ms)\n", sequenceMedian);
    std::printf("  its %zu DeleteFileA and %zu RegDeleteKeyA calls made directly  %8.1f ms\n", files, keys,
                directMedian);
    std::printf("  ratio                                    %8.2f      (goal: at most 3)\n",
                directMedian > 0 ? sequenceMedian / directMedian : 0);
    double sequenceMean = 0;
    for (double ms : sequence)
        sequenceMean += ms / sequence.size();
    std::printf("  where the sequence's time goes (mean ms per run %.1f; calls):\n", sequenceMean);
    std::vector<std::pair<double, std::string>> kinds;
    double accounted = 0;
    for (const auto& kind : profile) {
        kinds.push_back({kind.second.ms, kind.first});
        accounted += kind.second.ms;
    }
    std::sort(kinds.rbegin(), kinds.rend());
    for (const auto& kind : kinds)
        std::printf("    %-28s %8.1f %6d\n", kind.second.c_str(), kind.first, profile[kind.second].calls);
    std::printf("    %-28s %8.1f\n", "everything else", sequenceMean - accounted);
    // Program Manager's part: Wine's DDE server answers each conversation in
    // milliseconds, and the sequence holds one per group of commands.
    double conversing = 0;
    for (const auto& kind : profile)
        if (kind.first.compare(0, 3, "Dde") == 0)
            conversing += kind.second.ms;
    std::printf("  the sequence less its Program Manager conversations  %8.1f ms, ratio %.2f\n",
                sequenceMean - conversing, directMedian > 0 ? (sequenceMean - conversing) / directMedian : 0);
    std::fflush(stdout);
    return 0;
}
