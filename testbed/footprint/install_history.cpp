// Install histories made from a seed.
#include "install_history.h"
#include "scratch_files.h"
#include "scratch_registry.h"

#include <algorithm>

namespace history {

namespace {

using footprint::DRIVER;
using footprint::UTILITY;

const int MAX_BOARDS = 3, MAX_DRIVERS = 4, MAX_UTILITIES = 3;
const size_t LIST_MAX[] = {20, 10};  // driver, utility
// What a driver list may name besides its model's files: the helper
// libraries and files of the utility.
const char* const DRIVER_EXTRAS[] = {"NRXCHG32.DLL", "NRXCHG16.DLL", "NRXVGCHG.INI", "NRXVGCHG.HLP"};
// The utility list of the uninstaller's worked example, and what else a utility lists.
const std::vector<std::string> EXAMPLE_UTILITY_LIST = {"NRXVGCHG.HLP", "NRXVGCHG.CNT", "NRXCHG32.DLL"};
const char* const UTILITY_NAMES[] = {"NRXVGCHG.HLP", "NRXVGCHG.CNT", "NRXVGCHG.INI",
                                     "NRXCHG32.DLL", "NRXCHG16.DLL", "NRXUTL.DLL"};
const char* const CLICKS[] = {"", "ｷｬﾝｾﾙ clicked", "the driver's box clicked", "the utility's box clicked"};

std::string Number(int n)
{
    char text[16];
    wsprintfA(text, n < 10 ? "0%d" : "%d", n);
    return text;
}

std::string Join(const std::vector<std::string>& parts, const char* separator)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : separator) + part;
    return text;
}

std::string Folder(const std::string& path)
{
    return path.substr(0, path.find_last_of('\\'));
}

bool HasInstallTag(const std::set<std::string>& tags)
{
    for (const std::string& tag : tags)
        if ((tag.compare(0, 7, "driver ") == 0 || tag.compare(0, 8, "utility ") == 0) &&
            tag.find(" shared") == std::string::npos && tag.find("common") == std::string::npos &&
            tag.find("records") == std::string::npos)
            return true;
    return false;
}

}  // namespace

std::string TagOf(footprint::Kind kind, int number)
{
    return (kind == DRIVER ? "driver " : "utility ") + Number(number);
}

History::History(unsigned seed, const footprint::Places& places, bool pc98)
    : seed_(seed), places_(places), random_(seed)
{
    // Drawn either way, so that a seed gives the same installs on both machines.
    bool pc98Drawn = Chance(50);
    machineType_ = pc98 && pc98Drawn ? 1 : 2;
    const std::vector<std::string> names = footprint::ModelNames();
    for (int boards = 1 + Below(MAX_BOARDS); (int)models_.size() < boards;) {
        models_.push_back(names[Below((int)names.size())]);
        present_.push_back(Chance(40));
    }
    MakeInstalls();
    if (Chance(15))
        ShareAFolderOrGroup();
    if (Chance(15)) {
        Install& install = installs_[Below((int)installs_.size())];
        if (install.files.size() < LIST_MAX[install.kind]) {
            install.files.push_back(install.files[Below((int)install.files.size())]);
            text_.push_back("spoil: " + install.tag + " lists " + install.files.back() + " twice");
        }
    }
    if (Chance(15)) {
        bool utility = Chance(50) && std::any_of(installs_.begin(), installs_.end(),
                                                 [](const Install& install) { return install.kind == UTILITY; });
        counterSpoil_ = utility ? "UTILITY" : "DRIVER";
        counterPast_ = 1 + Below(3);
    }
    missingFile_ = Chance(20);
}

std::vector<std::string> History::DriverFiles(const std::string& model)
{
    // The display driver itself always: the board's pending renames update it.
    const std::vector<std::string> usual = footprint::UsualFiles(DRIVER, model);
    std::vector<std::string> files = {usual[0]};
    for (size_t i = 1; i < usual.size(); ++i)
        if (Chance(80))
            files.push_back(usual[i]);
    for (const char* name : DRIVER_EXTRAS)
        if (Chance(10))
            files.push_back(name);
    return files;
}

std::vector<std::string> History::UtilityFiles()
{
    if (Chance(35))
        return EXAMPLE_UTILITY_LIST;
    std::vector<std::string> files;
    for (const char* name : UTILITY_NAMES)
        if (Chance(50))
            files.push_back(name);
    if (files.empty())
        files.push_back(UTILITY_NAMES[0]);
    for (size_t i = files.size(); i > 1; --i)
        std::swap(files[i - 1], files[Below((int)i)]);
    return files;
}

// Each board gets a driver install, further installs go to boards at
// random, in a random order; each in its model's folder and group (a
// utility in those of its model's latest driver install) or in its own.
void History::MakeInstalls()
{
    const int boards = (int)models_.size();
    std::vector<std::pair<footprint::Kind, int>> slots;
    for (int i = 0, drivers = boards + Below(MAX_DRIVERS - boards + 1); i < drivers; ++i)
        slots.push_back({DRIVER, i < boards ? i : Below(boards)});
    for (int i = 0, utilities = Below(MAX_UTILITIES + 1); i < utilities; ++i)
        slots.push_back({UTILITY, Below(boards)});
    for (size_t i = slots.size(); i > 1; --i)
        std::swap(slots[i - 1], slots[Below((int)i)]);
    const std::string norix = places_.driveRoot + "Program Files\\NORIX\\";
    int next[2] = {0, 0};
    for (const auto& slot : slots) {
        Install install;
        install.kind = slot.first;
        install.number = next[install.kind]++;
        install.tag = TagOf(install.kind, install.number);
        install.model = models_[slot.second];
        install.board = "000" + std::to_string(slot.second);
        install.startUp = Chance(70);
        const Install* driver = NULL;
        for (const Install& earlier : installs_)
            if (earlier.kind == DRIVER && earlier.model == install.model)
                driver = &earlier;
        const std::string own = " " + Number(install.number);
        if (install.kind == DRIVER) {
            const std::string suffix = Chance(35) ? own : "";
            install.dir = norix + install.model + suffix;
            install.group = "ﾉﾘｯｸｽ表示ソフト " + install.model + suffix;
            install.files = DriverFiles(install.model);
        } else {
            bool common = driver && Chance(65);
            install.dir = common ? driver->dir : norix + "ﾚｿﾞﾙｳﾞｧ " + install.model + own;
            install.group = common ? driver->group : "ﾚｿﾞﾙｳﾞｧ " + install.model + own;
            install.files = UtilityFiles();
        }
        installs_.push_back(install);
    }
}

// An install names the folder, or the group, of an earlier install of its
// model, and keeps the other of its own.
void History::ShareAFolderOrGroup()
{
    std::vector<std::pair<Install*, const Install*>> pairs;
    for (Install& later : installs_)
        for (const Install& earlier : installs_)
            if (&earlier < &later && earlier.model == later.model && earlier.dir != later.dir &&
                earlier.group != later.group)
                pairs.push_back({&later, &earlier});
    if (pairs.empty())
        return;
    auto pair = pairs[Below((int)pairs.size())];
    bool folder = Chance(50);
    (folder ? pair.first->dir : pair.first->group) = folder ? pair.second->dir : pair.second->group;
    text_.push_back("spoil: " + pair.first->tag + " names the " + (folder ? "folder" : "group") + " of " +
                    pair.second->tag);
}

std::string History::MachineDescription() const
{
    std::string text = machineType_ == 1 ? "machine PC98\n" : "machine PCAT\n";
    for (size_t i = 0; i < models_.size(); ++i)
        if (present_[i])
            text += "present " + models_[i] + "\n";
    return text + "others\n";
}

std::string History::InstallDescription() const
{
    std::string text = machineType_ == 1 ? "machine PC98\n" : "machine PCAT\n";
    for (const Install& install : installs_) {
        text += (install.kind == DRIVER ? "driver " : "utility ") + install.model + "; number=" +
                Number(install.number) + "; board=" + install.board + "; dir=" + install.dir +
                "; folder=" + install.group + "; files=" + Join(install.files, ",");
        if (install.kind == UTILITY)
            text += install.startUp ? "; startup=1" : "; startup=0";
        text += "\n";
    }
    return text;
}

std::vector<std::string> History::OtherFiles() const
{
    const std::string other = places_.driveRoot + "OTHERAPP\\";
    // Names the product's pending renames hold, in capitals: another program's.
    return {other + "NEW.TMP", other + "QR2AT.NRX", other + "NRXCHG32.NRX"};
}

std::vector<std::string> History::OtherPendingLines() const
{
    const std::vector<std::string> files = OtherFiles();
    return {"NUL=" + files[0], files[2] + "=" + files[1]};
}

void History::Spoil(const footprint::Footprint& laid)
{
    if (!counterSpoil_.empty()) {
        int last = -1;
        for (const Install& install : installs_)
            if ((install.kind == UTILITY) == (counterSpoil_ == "UTILITY"))
                last = install.number;
        const std::string key = "SOFTWARE\\NORIX\\DISPLAY\\" + counterSpoil_;
        testreg::WriteString(HKEY_LOCAL_MACHINE, key.c_str(), "Counter", Number(last + counterPast_));
        text_.push_back("spoil: " + counterSpoil_ + " Counter " + Number(last + counterPast_) + ", past its last install");
    }
    if (missingFile_) {
        std::vector<std::string> listed;
        // Never the library the uninstaller binds: without it no uninstaller starts.
        for (const footprint::Item& item : laid.items)
            if (item.type == footprint::Item::FILE && HasInstallTag(item.tags) && !item.tags.count("shared dll"))
                listed.push_back(item.path);
        if (!listed.empty()) {
            const std::string& path = listed[Below((int)listed.size())];
            DeleteFileA(path.c_str());
            text_.push_back("spoil: " + path + " missing");
        }
    }
}

Run History::NextRun(const std::vector<std::string>& remaining, bool driverRecords, bool utilityRecords,
                     const footprint::Footprint& laid)
{
    Run run;
    run.from = remaining[Below((int)remaining.size())];
    const bool ownIsDriver = run.from.compare(0, 7, "driver ") == 0;
    const int roll = Below(100);
    bool own = roll < 85, other = roll >= 60;
    run.driverHalf = (ownIsDriver ? own : other) && driverRecords;
    run.utilityHalf = (ownIsDriver ? other : own) && utilityRecords;
    if (!run.driverHalf && !run.utilityHalf) {
        run.driverHalf = driverRecords && (ownIsDriver || !utilityRecords);
        run.utilityHalf = !run.driverHalf && utilityRecords;
    }
    // Drivers, libraries and the drive root's files may be in use; never
    // VGA.DRV, whose put-back goes through a line of its own.
    std::vector<std::string> busy;
    for (const footprint::Item& item : laid.items) {
        const std::string folder = Folder(item.path), name = item.path.substr(folder.size() + 1);
        bool place = testfiles::SamePath(folder, places_.system) || testfiles::SamePath(folder, places_.windows) ||
                     testfiles::SamePath(folder, places_.inf) || testfiles::SamePath(folder + "\\", places_.driveRoot);
        if (item.type == footprint::Item::FILE && place && !item.tags.count("other") &&
            testfiles::LowerPath(name).compare(0, 4, "vga.") != 0 && testfiles::Exists(item.path))
            busy.push_back(item.path);
    }
    for (int i = Below(3); i > 0 && !busy.empty(); --i) {
        int pick = Below((int)busy.size());
        run.held.push_back(busy[pick]);
        busy.erase(busy.begin() + pick);
    }
    if (Chance(15))
        run.click = (Click)(1 + Below(3));
    std::string halves = run.driverHalf && run.utilityHalf ? "both halves" : run.driverHalf ? "driver half" : "utility half";
    text_.push_back("run: the uninstaller of " + run.from + ", " + halves +
                    (run.held.empty() ? "" : ", in use: " + Join(run.held, ", ")) +
                    (run.click ? std::string(", then ") + CLICKS[run.click] : ""));
    return run;
}

std::string History::Text() const
{
    return "seed " + std::to_string(seed_) + "\n" + MachineDescription() + InstallDescription() +
           Join(text_, "\n") + "\n";
}

}  // namespace history
