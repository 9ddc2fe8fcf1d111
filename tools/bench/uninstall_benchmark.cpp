// Uninstall benchmark (scripts/benchmark.sh, on demand): NRXDEL's whole
// sequence, from OK to its final message, on footprints of 5, 20 and 80
// driver and as many utility installs (each listing five files, each with
// its backup) laid on scratch registry roots and the scratch drive S: like
// the in-process tests; Program Manager is Wine's own over DDE. Against it,
// the same work made directly on the same footprint laid again: the file,
// registry and Program Manager work the run did, recorded in order
// (uninstall_work.h). Each round makes both back to back, in alternating
// order, and each install size is judged by the ratio within each round:
// its median with the 95 % interval against the goal, rounds added while
// the interval straddles it (median_verdict.h). On 20 of each it prints
// where the sequence's time went, call by call; on every size the time per
// install.
//
//   uninstall_benchmark [--no-verdict] ROUNDS   (80 installs: a third of the rounds, at least 6)
#include "file_tree.h"
#include "footprint.h"
#include "median_verdict.h"
#include "registry_tree.h"
#include "resource.h"
#include "scratch_files.h"
#include "scratch_registry.h"
#include "selection_dialog.h"
#include "startup.h"
#include "uninstall_scratch.h"
#include "uninstall_work.h"
#include "uninstaller_state.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

using uninstall_scratch::DRIVE;
using uninstall_scratch::SYSTEM;
using uninstall_scratch::WINDOWS;
using median_verdict::Judged;
using uninstall_work::Now;
using uninstall_work::Spent;
const int INSTALLS = 20;  // where the time goes is shown on this size
const int FILES_PER_INSTALL = 5;  // as Description() lists them
const int INSTALL_SIZES[] = {5, 20, 80};
const double DIRECT_GOAL = 1.5;  // the sequence against the same work made directly
const int LEAST_ROUNDS_FOR_AN_INTERVAL = 6;

std::string Description(int installs)
{
    std::string text;
    char line[256];
    for (int i = 0; i < installs; ++i) {
        wsprintfA(line, "driver QX-S R2; files=D%02dA.DRV,D%02dB.VXD,D%02dC.DLL,D%02dD.INF,D%02dE.EXE\n", i, i, i, i, i);
        text += line;
    }
    for (int i = 0; i < installs; ++i) {
        wsprintfA(line, "utility QX-S R2; files=U%02dA.DLL,U%02dB.HLP,U%02dC.CNT,U%02dD.INI,U%02dE.DLL\n", i, i, i, i, i);
        text += line;
    }
    return text + "others\n";
}

footprint::Footprint Lay(int installs)
{
    uninstall_scratch::Empty();
    footprint::Description description;
    std::string error;
    footprint::Parse(Description(installs), &description, &error);
    footprint::Places places = {WINDOWS, SYSTEM, uninstall_scratch::INF, DRIVE, ""};
    footprint::Footprint laid = footprint::Lay(description, places);
    testfiles::Write(std::string(WINDOWS) + "\\NRXDEL.EXE", "relocated copy");
    return laid;
}

// One run from OK to the final message, in ms; its work recorded.
double RunSequence(const footprint::Footprint& laid, int installs)
{
    uninstall_scratch::StartAsRelocatedCopy();
    char latest[32];
    wsprintfA(latest, "driver %02d", installs - 1);
    testreg::WriteString(HKEY_LOCAL_MACHINE, INSTALL_KEY, "BootDir", laid.installDirs.at(latest));
    IdentifyBoard();
    Uninstaller.machineType = MACHINE_PCAT;
    HWND dialog =
        CreateDialogParamA(Uninstaller.instance, MAKEINTRESOURCEA(IDD_SELECTION), NULL, SelectionDialogProc, 0);
    CheckDlgButton(dialog, IDC_UNINSTALL_DRIVER, BST_CHECKED);
    CheckDlgButton(dialog, IDC_UNINSTALL_UTILITY, BST_CHECKED);
    SendMessageA(dialog, WM_COMMAND, IDC_UNINSTALL_DRIVER, 0);  // the refresh a click makes
    double start;
    {
        uninstall_work::Recording recording;
        start = Now();
        SendMessageA(dialog, WM_RUN_UNINSTALL, 0, 0);
    }
    DestroyWindow(dialog);
    return uninstall_work::FinalMessageAt() > 0 ? uninstall_work::FinalMessageAt() - start : -1;
}

struct Measured {
    int installs;
    std::vector<double> sequence, direct;  // ms per counted round; -1: no final message
    std::map<std::string, Spent> profile;  // ms summed over the counted rounds, calls of the last
    size_t laidFiles;
    std::string work;
    bool sameResult;  // the direct work left what the sequence left
    Judged judged;
};

// What the uninstall can change on the scratch machine: the registry roots
// and drive S: (paths and bytes; times differ from one lay to the next).
std::string MachineState()
{
    std::string state;
    for (const testreg::Subtree& root : std::vector<testreg::Subtree>{
             {HKEY_LOCAL_MACHINE, "HKLM", ""}, {HKEY_CURRENT_USER, "HKCU", ""}, {HKEY_DYN_DATA, "HKDD", ""}})
        for (const testreg::TreeEntry& entry : testreg::DumpTree(root.root, ""))
            state += root.rootName + "\\" + entry.path + "|" + entry.name + "|" + std::to_string(entry.type) + "|" +
                     std::string(entry.data.begin(), entry.data.end()) + "\n";
    for (const testfiles::FileEntry& entry : testfiles::DumpFiles(DRIVE))
        state += entry.path + "|" + entry.bytes + "\n";
    return state;
}

// The round that is not counted: it warms the caches, records the work and
// checks that the work made directly leaves the machine as the sequence did.
void Warm(Measured& m)
{
    footprint::Footprint laid = Lay(m.installs);
    m.laidFiles = 0;
    for (const footprint::Item& item : laid.items)
        m.laidFiles += item.type == footprint::Item::FILE && !item.tags.count("other");
    RunSequence(laid, m.installs);
    std::string afterSequence = MachineState();
    Lay(m.installs);
    uninstall_work::Replay();
    m.sameResult = MachineState() == afterSequence;
    m.work = uninstall_work::Summary();
}

// One counted round: the sequence and the same work made directly back to
// back, each on the footprint laid anew, every other round the direct work
// first (it makes the work of the latest recording, the same each time).
void MeasureRound(Measured& m)
{
    bool directFirst = m.sequence.size() % 2;
    double direct = -1;
    if (directFirst) {
        Lay(m.installs);
        direct = uninstall_work::Replay();
    }
    double sequence = RunSequence(Lay(m.installs), m.installs);
    if (sequence >= 0)
        for (const auto& kind : uninstall_work::SpentByImport()) {
            m.profile[kind.first].ms += kind.second.ms;
            m.profile[kind.first].calls = kind.second.calls;
        }
    if (!directFirst) {
        Lay(m.installs);
        direct = uninstall_work::Replay();
    }
    m.sequence.push_back(sequence);
    m.direct.push_back(direct);
}

// The rounds of one install size: ROUNDS first, then five more at a time
// while the verdict is unsure, up to 25; on more than 20 installs, whose
// rounds take seconds, a third of ROUNDS (enough for an interval), three
// more at a time, up to 12.
median_verdict::Schedule ScheduleFor(int installs, int rounds)
{
    if (installs > INSTALLS)
        return {std::max(LEAST_ROUNDS_FOR_AN_INTERVAL, rounds / 3), 3, 12};
    return {rounds, 5, 25};
}

// One install size, round by round until its verdict is sure.
Measured Measure(int installs, median_verdict::Schedule schedule, bool judge)
{
    Measured m = {installs, {}, {}, {}, 0, "", false, {}};
    Warm(m);
    median_verdict::UntilSure(
        schedule,
        [&](int rounds) {
            while ((int)m.sequence.size() < rounds)
                MeasureRound(m);
        },
        [&](size_t cap) {
            m.judged = median_verdict::Judge(median_verdict::PairedRatios(m.sequence, m.direct), DIRECT_GOAL, cap,
                                             judge);
            return m.judged.verdict == median_verdict::MORE_ROUNDS;
        });
    return m;
}

double Median(const std::vector<double>& times)
{
    return median_verdict::Median(median_verdict::MeasuredTimes(times));
}

void PrintDetail(const Measured& m)
{
    std::printf("uninstall: %d driver and %d utility installs listing %d files (%zu files laid with the backups\n"
                "  and shared files), %zu rounds\n",
                m.installs, m.installs, m.installs * 2 * FILES_PER_INSTALL, m.laidFiles, m.sequence.size());
    std::printf("  the sequence, OK to the final message   %8.1f ms   (goal: under 2000 ms)\n", Median(m.sequence));
    std::printf("  the same work made directly             %8.1f ms   (it left the registry and drive S: %s)\n"
                "    %s\n",
                Median(m.direct), m.sameResult ? "as the sequence did" : "OTHERWISE than the sequence", m.work.c_str());
    std::vector<double> completed = median_verdict::MeasuredTimes(m.sequence);
    double runs = completed.size(), mean = 0;
    for (double ms : completed)
        mean += ms / runs;
    std::printf("  where the sequence's time goes (mean ms per run %.1f; calls):\n", mean);
    std::vector<std::pair<double, std::string>> kinds;
    double accounted = 0;
    for (const auto& kind : m.profile) {
        kinds.push_back({kind.second.ms / runs, kind.first});
        accounted += kind.second.ms / runs;
    }
    std::sort(kinds.rbegin(), kinds.rend());
    for (const auto& kind : kinds)
        std::printf("    %-28s %8.1f %6d\n", kind.second.c_str(), kind.first, m.profile.at(kind.second).calls);
    std::printf("    %-28s %8.1f\n", "everything else", mean - accounted);
}

void PrintVerdicts(const std::vector<Measured>& sizes, int rounds)
{
    std::printf("\nthe sequence against the same work made directly, per install size (a driver and a utility\n"
                "  install each, 10 listed files), %s;\n  goal: at most %.1f; %s (80 installs: %s)\n",
                median_verdict::METHOD, DIRECT_GOAL, median_verdict::Describe(ScheduleFor(INSTALLS, rounds)).c_str(),
                median_verdict::Describe(ScheduleFor(INSTALL_SIZES[2], rounds)).c_str());
    std::printf("  %8s %6s %11s %12s %14s  %s\n", "installs", "rounds", "sequence", "per install", "made directly",
                median_verdict::RESULT_HEADING);
    for (const Measured& m : sizes)
        std::printf("  %8d %6zu %8.1f ms %9.2f ms %11.1f ms  %s\n", m.installs, m.sequence.size(), Median(m.sequence),
                    Median(m.sequence) / m.installs, Median(m.direct), median_verdict::Describe(m.judged).c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    int first = argc > 1 && std::strcmp(argv[1], "--no-verdict") == 0 ? 2 : 1;
    bool judge = first == 1;
    int rounds = argc > first ? std::max(1, atoi(argv[first])) : 5;
    if (!testfiles::Exists(DRIVE)) {
        std::fprintf(stderr, "uninstall_benchmark: no scratch drive S: in the prefix\n");
        return 1;
    }
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof(windows));
    const std::string systemIni = std::string(windows) + "\\SYSTEM.INI";
    bool hadSystemIni = false;
    const std::string systemIniBytes = testfiles::Read(systemIni, &hadSystemIni);
    std::vector<Measured> sizes;
    {
        testreg::ScratchRegistry registry;
        for (int installs : INSTALL_SIZES)
            sizes.push_back(Measure(installs, ScheduleFor(installs, rounds), judge));
        uninstall_scratch::Empty();
    }
    if (hadSystemIni)
        testfiles::Write(systemIni, systemIniBytes);
    WritePrivateProfileStringA(NULL, NULL, NULL, "SYSTEM.INI");
    for (const Measured& m : sizes)
        if (m.installs == INSTALLS)
            PrintDetail(m);
    PrintVerdicts(sizes, rounds);
    std::fflush(stdout);
    return 0;
}
