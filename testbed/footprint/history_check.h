// An install history played to its end on a machine, with the uninstaller's
// promises checked from the records and the footprint description alone:
// the history's installs are laid by the footprint builder, the NRXDEL.EXE
// of a remaining install is run with the history's choices, Windows is
// restarted (its pending file operations carried out in order), and so on
// until no install is left. After every run:
//   (a) nothing outside the product's footprint changed: other keys, files
//       and Program Manager items, and other programs' "wininit.ini" lines
//       byte for byte;
//   (b) every remaining install keeps its records, working copies, folder,
//       group items, its board's pending renames and NRXCHG32.DLL, so its
//       NRXDEL.EXE can still start;
//   (c) nothing of an install the run removed is left;
// and at the end (d): the machine is the machine before the first install
// (restarted) with the structure the installers made in the hardware and
// class trees, plus one standard display registered, the display settings
// and SYSTEM.INI naming it, and the standard VGA driver put back.
#ifndef TESTBED_HISTORY_CHECK_H
#define TESTBED_HISTORY_CHECK_H

#include "file_tree.h"
#include "footprint.h"
#include "install_history.h"
#include "registry_tree.h"

#include <string>
#include <vector>

namespace history {

struct Snapshot {
    testreg::Tree registry;  // paths begin with "HKLM\", "HKCU\", "HKDD\"
    testfiles::FileTree files;  // without "wininit.*" and SYSTEM.INI
};

// What one run showed.
struct RunOutcome {
    int messages = 0;            // final messages
    bool commandsSeen = false;   // the Program Manager commands below were logged
    std::vector<std::string> commands;
    std::string failure;         // the program did not start, or did not end
};

// Where histories are played: the in-process machine or the prefix.
class Machine {
public:
    virtual ~Machine() = default;
    virtual footprint::Places Where() = 0;
    // Lines every description gets (the files laid as copies of others).
    virtual std::string sources() { return ""; }
    // Back to the machine without anything laid.
    virtual void Reset() = 0;
    virtual Snapshot Dump() = 0;
    // What of `registry` a dump takes in (applied writes bring the keys above).
    virtual testreg::Tree Visible(const testreg::Tree& registry) { return registry; }
    // The user starts the NRXDEL.EXE of `installDir`, ticks the run's halves,
    // presses OK and answers the final message, while the run's files are in use.
    virtual RunOutcome Uninstall(const Run& run, const std::string& installDir, int machineType) = 0;
};

struct Played {
    int runs = 0;
    std::vector<std::string> violations;
    std::string text;  // the history as it went, to be read and replayed
};

// Plays history `seed` (PC-98 machines only when `pc98`) to its end.
Played Play(Machine& machine, unsigned seed, bool pc98);

// The number environment variable `name` holds (NRX_HISTORIES and the
// like), or `otherwise`.
unsigned Setting(const char* name, unsigned otherwise);
// Plays histories `first` onwards, `count` of them, printing each with its
// runs and violations and the totals; the account of every one that failed.
std::vector<std::string> PlayAndPrint(Machine& machine, unsigned first, unsigned count, bool pc98,
                                      const char* kind);

}  // namespace history

#endif
