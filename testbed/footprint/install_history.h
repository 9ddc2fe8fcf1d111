// Install histories for the uninstaller, made from a seed: a PC/AT or PC-98
// machine with one to three boards, one to four driver installs and up to
// three utility installs of them, each in the common folder and group of its
// model or in a folder and group of its own, with file lists that overlap
// across installs and halves, other programs' pending renames before and
// after the product's, and now and then records that disagree with the disk
// (a listed file missing, a folder or group named by a second install, a
// "Counter" past the last install, a file listed twice). Then, run after
// run, whose NRXDEL.EXE the user starts, what he ticks, which files are in
// use meanwhile and what he clicks once he has pressed OK. The same seed
// gives the same history on any machine, in the footprint builder's
// description format.
#ifndef TESTBED_INSTALL_HISTORY_H
#define TESTBED_INSTALL_HISTORY_H

#include "footprint.h"

#include <random>
#include <string>
#include <vector>

namespace history {

// Input that reaches the dialog after OK.
enum Click { NO_CLICK, CANCEL_CLICK, DRIVER_BOX_CLICK, UTILITY_BOX_CLICK };

// One install as its records say.
struct Install {
    footprint::Kind kind;
    std::string tag;  // "driver 02", "utility 00": the footprint's tag
    int number;
    std::string model, board, dir, group;
    std::vector<std::string> files;
    bool startUp;
};

struct Run {
    std::string from;  // the tag of the install whose NRXDEL.EXE the user starts
    bool driverHalf = false, utilityHalf = false;
    std::vector<std::string> held;  // files in use while it runs
    Click click = NO_CLICK;
};

class History {
public:
    // PC-98 machines only when `pc98` (a program started under Wine always
    // finds a PC/AT keyboard).
    History(unsigned seed, const footprint::Places& places, bool pc98);
    unsigned seed() const { return seed_; }
    int machineType() const { return machineType_; }  // 1 PC-98, 2 PC/AT
    const std::vector<Install>& installs() const { return installs_; }
    // The machine before any install (its boards, other programs) and the
    // installs, in the footprint builder's format.
    std::string MachineDescription() const;
    std::string InstallDescription() const;
    // Other programs' files, laid with the machine, and their pending
    // renames, appended after the product's.
    std::vector<std::string> OtherFiles() const;
    std::vector<std::string> OtherPendingLines() const;
    // Makes the records and the disk disagree as the history says, once laid.
    void Spoil(const footprint::Footprint& laid);
    // The next run: one of the `remaining` installs (tags), halves whose
    // records key the dialog finds, files of `laid` that may be in use.
    Run NextRun(const std::vector<std::string>& remaining, bool driverRecords, bool utilityRecords,
                const footprint::Footprint& laid);
    // Everything so far, to be read and replayed.
    std::string Text() const;

private:
    int Below(int count) { return (int)(random_() % (unsigned)count); }
    bool Chance(int percent) { return Below(100) < percent; }
    void MakeInstalls();
    void ShareAFolderOrGroup();
    std::vector<std::string> DriverFiles(const std::string& model);
    std::vector<std::string> UtilityFiles();

    unsigned seed_;
    footprint::Places places_;
    std::mt19937 random_;
    int machineType_ = 2;
    std::vector<std::string> models_;  // by board: board key "0000" is models_[0]
    std::vector<bool> present_;
    std::vector<Install> installs_;
    std::string counterSpoil_;  // "DRIVER" or "UTILITY", Counter past its last install
    int counterPast_ = 0;
    bool missingFile_ = false;
    std::vector<std::string> text_;  // spoils and runs as they came
};

// "driver 02" for an install of that kind and number.
std::string TagOf(footprint::Kind kind, int number);

}  // namespace history

#endif
