// Generated install histories, played in-process to their end (the
// sequence fixture's machine: scratch roots, drive S:, Program Manager's
// commands logged): laid by the footprint builder, each run of the
// uninstaller started below its entry point as the relocated copy, with the
// relocated program and the helper library it binds in use, Windows
// restarted in between, and the promises of history_check.h checked after
// every run and at the end. NRX_HISTORIES (default 40) histories from seed
// NRX_HISTORY_SEED (default 1): a seed that fails is replayed by its number.
#include "history_check.h"
#include "uninstall_sequence_fixture.h"


namespace {

const int SHORT_RUN = 40;

class UninstallHistories : public UninstallSequence, public history::Machine {
protected:
    footprint::Places Where() override { return places; }
    void Reset() override { Clean(); }
    history::Snapshot Dump() override
    {
        history::Snapshot snapshot;
        snapshot.registry = testreg::DumpSubtrees(SCRATCH_ROOTS);
        // SYSTEM.INI is the prefix's for the program; the builder's copy on S: stays as laid.
        for (const testfiles::FileEntry& entry : testfiles::DumpFiles(DRIVE)) {
            std::string name = testfiles::LowerPath(entry.path.substr(entry.path.find_last_of('\\') + 1));
            if (name.compare(0, 8, "wininit.") != 0 && name != "system.ini")
                snapshot.files.push_back(entry);
        }
        return snapshot;
    }
    history::RunOutcome Uninstall(const history::Run& run, const std::string& installDir, int machineType) override
    {
        // The relocated copy runs, bound to the helper library.
        const std::string copy = std::string(WINDOWS) + "\\NRXDEL.EXE";
        testfiles::Write(copy, "relocated copy");
        std::vector<std::string> held = run.held;
        held.push_back(copy);
        held.push_back(std::string(SYSTEM) + "\\NRXCHG32.DLL");
        std::vector<HANDLE> handles;
        for (const std::string& path : held)
            handles.push_back(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                          OPEN_EXISTING, 0, NULL));
        static const int BOXES[] = {0, IDCANCEL, IDC_UNINSTALL_DRIVER, IDC_UNINSTALL_UTILITY};
        if (run.click == history::CANCEL_CLICK)
            duringFirstCommand = [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); };
        else if (run.click)
            duringFirstCommand = [=](HWND dialog) {
                SendMessageA(GetDlgItem(dialog, BOXES[run.click]), BM_CLICK, 0, 0);
            };
        events.clear();
        Run(run.driverHalf, run.utilityHalf, installDir, machineType);
        for (HANDLE handle : handles)
            if (handle != INVALID_HANDLE_VALUE)
                CloseHandle(handle);
        history::RunOutcome outcome;
        outcome.messages = (int)boxes.size();
        outcome.commandsSeen = true;
        outcome.commands = EventsOf("dde");
        return outcome;
    }
};

TEST_F(UninstallHistories, EveryRunKeepsWhatStaysAndLeavesNothingOfWhatGoes)
{
    for (const std::string& failed :
         history::PlayAndPrint(*this, history::Setting("NRX_HISTORY_SEED", 1),
                               history::Setting("NRX_HISTORIES", SHORT_RUN), true, "in-process"))
        ADD_FAILURE() << failed;
}

}  // namespace
