// Uninstall benchmark (scripts/benchmark.sh, on demand): NRXDEL's whole
// sequence, from OK to its final message, on a footprint of driver and
// utility installs (each listing five files, each with its backup) laid on
// scratch registry roots and the scratch drive S: like the in-process
// tests; Program Manager is Wine's own over DDE. Against it, the same work
// made directly on the same footprint laid again: the file, registry and
// Program Manager work the run did, recorded in order (uninstall_work.h).
// On 20 driver and 20 utility installs it prints the medians, the ratio and
// where the sequence's time went, call by call; with --scaling, the time
// per install on 5, 20 and 80 of each.
//
//   uninstall_benchmark ROUNDS
//   uninstall_benchmark --scaling ROUNDS   (80 installs: a third of the rounds)
#include "file_tree.h"
#include "footprint.h"
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
using uninstall_work::Now;
using uninstall_work::Spent;
const int INSTALLS = 20;
const int FILES_PER_INSTALL = 5;  // as Description() lists them
const int SCALING_INSTALLS[] = {5, 20, 80};
const double DIRECT_GOAL = 1.5;  // the sequence against the same work made directly

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

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.empty() ? 0 : values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Measured {
    int installs, rounds;
    double sequence, direct;  // medians, ms
    double sequenceMean;
    std::map<std::string, Spent> profile;  // mean ms per run, calls of the last
    size_t laidFiles;
    std::string work;
    bool sameResult;  // the direct work left what the sequence left
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

// The sequence and the same work made directly, alternating on a footprint
// laid anew for each; round 0 warms the caches and is not counted.
Measured Measure(int installs, int rounds)
{
    Measured m = {installs, rounds, 0, 0, 0, {}, 0, "", false};
    std::vector<double> sequence, direct;
    std::string afterSequence;
    for (int round = 0; round <= rounds; ++round) {
        footprint::Footprint laid = Lay(installs);
        m.laidFiles = 0;
        for (const footprint::Item& item : laid.items)
            m.laidFiles += item.type == footprint::Item::FILE && !item.tags.count("other");
        double ms = RunSequence(laid, installs);
        if (round > 0 && ms >= 0) {
            sequence.push_back(ms);
            m.sequenceMean += ms / rounds;
            for (const auto& kind : uninstall_work::SpentByImport()) {
                m.profile[kind.first].ms += kind.second.ms / rounds;
                m.profile[kind.first].calls = kind.second.calls;
            }
        }
        if (round == 0)
            afterSequence = MachineState();
        Lay(installs);
        double directMs = uninstall_work::Replay();
        if (round > 0)
            direct.push_back(directMs);
        else
            m.sameResult = MachineState() == afterSequence;
        m.work = uninstall_work::Summary();
    }
    m.sequence = Median(sequence);
    m.direct = Median(direct);
    return m;
}

double Ratio(double a, double b)
{
    return b > 0 ? a / b : 0;
}

void PrintDetail(const Measured& m)
{
    std::printf("uninstall: %d driver and %d utility installs listing %d files (%zu files laid with the backups\n"
                "  and shared files), %d rounds\n",
                m.installs, m.installs, m.installs * 2 * FILES_PER_INSTALL, m.laidFiles, m.rounds);
    std::printf("  the sequence, OK to the final message   %8.1f ms   (goal: under 2000 ms)\n", m.sequence);
    std::printf("  the same work made directly             %8.1f ms   (it left the registry and drive S: %s)\n"
                "    %s\n",
                m.direct, m.sameResult ? "as the sequence did" : "OTHERWISE than the sequence", m.work.c_str());
    std::printf("  ratio                                    %8.2f      (goal: at most %.1f) %s\n",
                Ratio(m.sequence, m.direct), DIRECT_GOAL, m.sequence <= DIRECT_GOAL * m.direct ? "met" : "NOT MET");
    std::printf("  where the sequence's time goes (mean ms per run %.1f; calls):\n", m.sequenceMean);
    std::vector<std::pair<double, std::string>> kinds;
    double accounted = 0;
    for (const auto& kind : m.profile) {
        kinds.push_back({kind.second.ms, kind.first});
        accounted += kind.second.ms;
    }
    std::sort(kinds.rbegin(), kinds.rend());
    for (const auto& kind : kinds)
        std::printf("    %-28s %8.1f %6d\n", kind.second.c_str(), kind.first, m.profile.at(kind.second).calls);
    std::printf("    %-28s %8.1f\n", "everything else", m.sequenceMean - accounted);
}

void PrintScaling(const std::vector<Measured>& sizes)
{
    std::printf("uninstall on more and more installs: the sequence and the same work made directly, per\n"
                "  driver-and-utility install (one driver and one utility install, 10 listed files)\n");
    std::printf("  %8s %7s %12s %13s %14s %7s\n", "installs", "rounds", "sequence", "per install", "made directly",
                "ratio");
    for (const Measured& m : sizes)
        std::printf("  %8d %7d %9.1f ms %10.2f ms %11.1f ms %7.2f\n", m.installs, m.rounds, m.sequence,
                    m.sequence / m.installs, m.direct, Ratio(m.sequence, m.direct));
}

}  // namespace

int main(int argc, char** argv)
{
    bool scaling = argc > 1 && std::strcmp(argv[1], "--scaling") == 0;
    int rounds = argc > 1 + scaling ? std::max(1, atoi(argv[1 + scaling])) : 5;
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
        if (scaling)
            for (int installs : SCALING_INSTALLS)
                sizes.push_back(Measure(installs, installs > INSTALLS ? std::max(1, rounds / 3) : rounds));
        else
            sizes.push_back(Measure(INSTALLS, rounds));
        uninstall_scratch::Empty();
    }
    if (hadSystemIni)
        testfiles::Write(systemIni, systemIniBytes);
    WritePrivateProfileStringA(NULL, NULL, NULL, "SYSTEM.INI");
    if (scaling)
        PrintScaling(sizes);
    else
        PrintDetail(sizes.front());
    std::fflush(stdout);
    return 0;
}
