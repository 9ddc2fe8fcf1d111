// Install histories played to their end and checked.
#include "history_check.h"
#include "scratch_files.h"
#include "scratch_registry.h"
#include "standard_display_expectation.h"
#include "windows_restart.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>

namespace history {

namespace {

using expectation::operator+;
using footprint::Item;
using testfiles::LowerPath;

const int MAX_RUNS = 40;
const size_t DIFFERENCE_LINES = 20;

// What the standard display restore writes, whole keys and single values.
const char* const STANDARD_DISPLAY_KEYS[] = {
    "HKLM\\System\\CurrentControlSet\\Services\\Class\\DISPLAY", "HKLM\\Enum\\Root\\Display",
    "HKLM\\Config\\0001\\Enum\\Root\\Display", "HKLM\\Config\\0001\\Enum\\BIOS"};
const char* const STANDARD_DISPLAY_VALUES[] = {"HKLM\\Config\\0001\\Display\\Settings|BitsPerPixel",
                                               "HKLM\\Config\\0001\\Display\\Settings|Resolution"};
const char RECORDS_KEY[] = "SOFTWARE\\NORIX\\DISPLAY";

bool IsProductItem(const std::set<std::string>& tags)
{
    return tags.size() > 1 || !tags.count("other");
}

std::string ValueId(const std::string& path, const std::string& name)
{
    return LowerPath(path) + "|" + LowerPath(name);
}

std::string Bytes(const std::vector<BYTE>& data)
{
    return std::string(data.begin(), data.end());
}

// The first lines of a long account.
std::string Shortened(const std::string& text)
{
    std::istringstream in(text);
    std::string line, out;
    for (size_t n = 0; std::getline(in, line); ++n)
        out += n < DIFFERENCE_LINES ? "\n    " + line : n == DIFFERENCE_LINES ? "\n    ..." : "";
    return out;
}

// A snapshot by lower-case path: "r:<key>", "r:<key>|<value>", "f:<file>".
class Index {
public:
    explicit Index(const Snapshot& snapshot)
    {
        for (const testreg::TreeEntry& e : snapshot.registry)
            entries_["r:" + (e.isKey ? LowerPath(e.path) : ValueId(e.path, e.name))] =
                std::to_string(e.type) + ":" + Bytes(e.data);
        for (const testfiles::FileEntry& e : snapshot.files)
            entries_["f:" + LowerPath(e.path)] = e.isFolder ? "folder" : "file";
    }
    // What an item covers, as text; empty when none of it is there.
    std::string StateOf(const Item& item) const
    {
        switch (item.type) {
        case Item::KEY:
            return Within("r:" + LowerPath(item.path));
        case Item::KEY_IF_EMPTY:
            return Get("r:" + LowerPath(item.path));
        case Item::VALUE:
            return Get("r:" + ValueId(item.path, item.name));
        default:
            return Get("f:" + LowerPath(item.path));
        }
    }

private:
    std::string Get(const std::string& id) const
    {
        auto found = entries_.find(id);
        return found == entries_.end() ? "" : id + "=" + found->second;
    }
    std::string Within(const std::string& prefix) const
    {
        std::string state;
        for (auto at = entries_.lower_bound(prefix); at != entries_.end() && at->first.compare(0, prefix.size(), prefix) == 0; ++at) {
            char next = at->first.size() > prefix.size() ? at->first[prefix.size()] : '\0';
            if (next == '\0' || next == '\\' || next == '|')
                state += at->first + "=" + at->second + "\n";
        }
        return state;
    }
    std::map<std::string, std::string> entries_;
};

// Whether a dump entry is the product's to change: within a key the
// footprint laid or the standard display writes, one of its values or
// files, or above them (made with them).
class ProductPaths {
public:
    ProductPaths(const footprint::Footprint& laid, const std::string& windows)
    {
        for (const Item& item : laid.items) {
            if (!IsProductItem(item.tags))
                continue;
            std::string path = LowerPath(item.path);
            (item.type == Item::KEY ? keys_ : item.type == Item::KEY_IF_EMPTY ? exactKeys_ : files_).insert(path);
            if (item.type == Item::VALUE)
                values_.insert(ValueId(item.path, item.name));
            Above(path);
        }
        for (const char* key : STANDARD_DISPLAY_KEYS) {
            keys_.insert(LowerPath(key));
            Above(LowerPath(key));
        }
        for (const char* value : STANDARD_DISPLAY_VALUES)
            values_.insert(LowerPath(value));
        files_.insert(LowerPath(windows + "\\NRXDEL.EXE"));
    }
    // An item of the footprint, or within one.
    bool Laid(const testreg::TreeEntry& e) const
    {
        std::string path = LowerPath(e.path);
        if (e.isKey ? exactKeys_.count(path) > 0 : values_.count(ValueId(e.path, e.name)) > 0)
            return true;
        for (size_t end = path.size(); end != std::string::npos && end > 0; end = path.find_last_of('\\', end - 1))
            if (keys_.count(path.substr(0, end)))
                return true;
        return false;
    }
    bool Laid(const testfiles::FileEntry& e) const { return files_.count(LowerPath(e.path)) > 0; }
    // Laid, or a key or folder above what was (made with it).
    bool Holds(const testreg::TreeEntry& e) const { return Laid(e) || (e.isKey && above_.count(LowerPath(e.path))); }
    bool Holds(const testfiles::FileEntry& e) const { return Laid(e) || above_.count(LowerPath(e.path)); }

private:
    void Above(std::string path)
    {
        for (size_t slash; (slash = path.find_last_of('\\')) != std::string::npos;)
            above_.insert(path = path.substr(0, slash));
    }
    std::set<std::string> keys_, exactKeys_, values_, files_, above_;
};

template <typename Entry>
std::vector<Entry> Outside(const std::vector<Entry>& entries, const ProductPaths& product)
{
    std::vector<Entry> outside;
    for (const Entry& entry : entries)
        if (!product.Holds(entry))
            outside.push_back(entry);
    return outside;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool HasLine(const std::string& text, const std::string& line)
{
    return ("\n" + text).find("\n" + line + "\r\n") != std::string::npos;
}

std::set<std::string> TagsOf(const Install& install)
{
    std::set<std::string> tags = {install.tag, install.tag + " shared"};
    if (install.kind == footprint::UTILITY)
        tags.insert(install.tag + " files");
    return tags;
}

bool Shares(const std::set<std::string>& a, const std::set<std::string>& b)
{
    for (const std::string& tag : a)
        if (b.count(tag))
            return true;
    return false;
}

// Program Manager's items, as the commands of the runs leave them.
typedef std::map<std::pair<std::string, std::string>, std::set<std::string>> GroupItems;

// Carries out the commands on `items`; what they deleted.
GroupItems Apply(const std::vector<std::string>& commands, GroupItems* items)
{
    GroupItems deleted;
    std::string group;
    for (const std::string& command : commands) {
        size_t open = command.find('('), close = command.rfind(')');
        if (open == std::string::npos || close == std::string::npos)
            continue;
        std::string argument = command.substr(open + 1, close - open - 1);
        if (command.compare(0, 11, "[ShowGroup(") == 0)
            group = argument.substr(0, argument.rfind(','));
        else if (command.compare(0, 12, "[DeleteItem(") == 0 && items->count({group, argument})) {
            deleted.insert(*items->find({group, argument}));
            items->erase({group, argument});
        }
    }
    return deleted;
}

// One history as it is played.
class Player {
public:
    Player(Machine& machine, unsigned seed, bool pc98)
        : machine_(machine), places_(machine.Where()), history_(seed, places_, pc98),
          pendingFile_(places_.windows + "\\wininit.ini")
    {
    }
    Played Play();

private:
    footprint::Footprint Lay(const std::string& description);
    void LayMachine();
    void AppendPendingLines(const std::vector<std::string>& lines);
    void Violation(const std::string& what) { played_.violations.push_back(what); }
    std::vector<const Install*> RemovedBy(const Run& run) const;
    const Install* Named(const std::string& tag) const;
    void CheckOutside(const Snapshot& before, const Snapshot& after, const std::string& pendingBefore,
                      const std::string& pendingAfter);
    void CheckPendingLines(const std::vector<const Install*>& removed, const std::string& before,
                           const std::string& after);
    void CheckInstalls(const std::vector<const Install*>& removed, const Snapshot& before,
                       const Snapshot& after, const GroupItems& deleted);
    void CheckEnd(const Snapshot& end);

    Machine& machine_;
    footprint::Places places_;
    History history_;
    std::string pendingFile_;
    footprint::Footprint machineLaid_, laid_;
    Snapshot pristine_, laidSnapshot_;
    std::vector<const Install*> remaining_;
    std::set<std::string> productFiles_;  // lower-case, long and short, as laid
    GroupItems groupItems_;
    std::string run_;  // "run 2" while a run is checked
    Played played_;
};

footprint::Footprint Player::Lay(const std::string& description)
{
    footprint::Description parsed;
    std::string error;
    if (!footprint::Parse(description + machine_.sources(), &parsed, &error))
        Violation("the description does not parse: " + error);
    return footprint::Lay(parsed, places_);
}

// Windows with its boards and other programs.
void Player::LayMachine()
{
    machine_.Reset();
    machineLaid_ = Lay(history_.MachineDescription());
    for (const std::string& path : history_.OtherFiles()) {
        testfiles::MakeFolder(path.substr(0, path.find_last_of('\\')));
        testfiles::Write(path, "other program's file\r\n");
    }
}

const Install* Player::Named(const std::string& tag) const
{
    for (const Install& install : history_.installs())
        if (install.tag == tag)
            return &install;
    return NULL;
}

// From the records: the utility half takes every utility install; the
// driver half the latest driver install whose folder is the start
// directory, and the earlier installs of its board.
std::vector<const Install*> Player::RemovedBy(const Run& run) const
{
    const std::string bootDir = Named(run.from)->dir;
    const Install* own = NULL;
    for (const Install* install : remaining_)
        if (run.driverHalf && install->kind == footprint::DRIVER && lstrcmpiA(install->dir.c_str(), bootDir.c_str()) == 0 &&
            (!own || install->number > own->number))
            own = install;
    std::vector<const Install*> removed;
    for (const Install* install : remaining_)
        if (install->kind == footprint::UTILITY ? run.utilityHalf
                                                 : own && install->number <= own->number &&
                                                       lstrcmpiA(install->board.c_str(), own->board.c_str()) == 0)
            removed.push_back(install);
    return removed;
}

// (a): keys, files and other programs' pending lines outside the footprint.
void Player::CheckOutside(const Snapshot& before, const Snapshot& after, const std::string& pendingBefore,
                          const std::string& pendingAfter)
{
    ProductPaths product(laid_, places_.windows);
    testreg::Tree keysBefore = Outside(before.registry, product), keysAfter = Outside(after.registry, product);
    if (keysBefore != keysAfter)
        Violation(run_ + " (a) changed keys outside the footprint:" + Shortened(testreg::Difference(keysBefore, keysAfter)));
    testfiles::FileTree filesBefore = Outside(before.files, product), filesAfter = Outside(after.files, product);
    if (filesBefore != filesAfter)
        Violation(run_ + " (a) changed files outside the footprint:" +
                  Shortened(testfiles::Difference(filesBefore, filesAfter)));
    std::set<std::string> others;
    for (const footprint::PendingLine& line : machineLaid_.pending)
        others.insert(line.text);
    for (const std::string& line : history_.OtherPendingLines())
        others.insert(line);
    std::vector<std::string> otherBefore, otherAfter;
    for (const std::string& line : Lines(pendingBefore))
        if (others.count(line))
            otherBefore.push_back(line);
    for (const std::string& line : Lines(pendingAfter)) {
        if (others.count(line))
            otherAfter.push_back(line);
        else if (!HasLine(pendingBefore, line) && line != "[rename]") {
            bool deletion = line.compare(0, 4, "NUL=") == 0 && productFiles_.count(LowerPath(line.substr(4)));
            if (!deletion)
                Violation(run_ + " (a) wininit.ini gained a line for no file of the product: " + line);
        }
    }
    if (otherBefore != otherAfter)
        Violation(run_ + " (a) other programs' wininit.ini lines changed");
}

// The part of a pending line after its "=": the file that comes in.
std::string Source(const std::string& line)
{
    return LowerPath(line.substr(line.find('=') + 1));
}

// The product's pending renames go with what they update: the utility's
// with the utility, a board's with a driver install of a model whose
// drive-root file it brings in (models 11 to 14 share theirs); and only then.
void Player::CheckPendingLines(const std::vector<const Install*>& removed, const std::string& before,
                               const std::string& after)
{
    bool utility = false;
    std::set<std::string> sources;
    for (const Install* install : removed) {
        utility = utility || install->kind == footprint::UTILITY;
        for (const footprint::PendingLine& line : laid_.pending)
            if (install->kind == footprint::DRIVER && line.tags.count("pending board " + install->model))
                sources.insert(Source(line.text));
    }
    for (const footprint::PendingLine& line : laid_.pending) {
        bool goes = line.tags.count("pending utility") ? utility : !line.tags.count("other") && sources.count(Source(line.text));
        if (!HasLine(before, line.text) || goes == !HasLine(after, line.text))
            continue;
        Violation(run_ + (goes ? " (c) left the pending line " : " (b) took the pending line ") + line.text);
    }
}

// (b) and (c): what the remaining installs keep and what of the removed ones is gone.
void Player::CheckInstalls(const std::vector<const Install*>& removed, const Snapshot& before,
                           const Snapshot& after, const GroupItems& deleted)
{
    std::set<std::string> keptTags, goneTags;
    for (const Install* install : remaining_) {
        std::set<std::string> tags = TagsOf(*install);
        (std::count(removed.begin(), removed.end(), install) ? goneTags : keptTags).insert(tags.begin(), tags.end());
    }
    if (!keptTags.empty())
        keptTags.insert("shared dll");
    const Index was(before), is(after);
    for (const Item& item : laid_.items) {
        const std::string where = item.path + (item.name.empty() ? "" : " : " + item.name);
        if (Shares(item.tags, keptTags)) {
            // A file may come back by a pending rename of the installer's.
            std::string then = was.StateOf(item), now = is.StateOf(item);
            bool file = item.type == Item::FILE || item.type == Item::FOLDER_IF_EMPTY;
            if (file ? !then.empty() && now.empty() : then != now)
                Violation(run_ + (now.empty() ? " (b) took " : " (b) changed ") + where + " of a remaining install");
        } else if (Shares(item.tags, goneTags) && !is.StateOf(item).empty())
            Violation(run_ + " (c) left " + where);
    }
    for (const auto& item : deleted)
        if (Shares(item.second, keptTags))
            Violation(run_ + " (b) deleted the item " + item.first.second + " of group " + item.first.first);
    for (const auto& item : groupItems_)
        if (!Shares(item.second, keptTags) && Shares(item.second, goneTags))
            Violation(run_ + " (c) left the item " + item.first.second + " of group " + item.first.first);
}

// (d): the machine as it was before the first install, with the installers'
// structure, one standard display, its settings and SYSTEM.INI.
void Player::CheckEnd(const Snapshot& end)
{
    const bool pc98 = history_.machineType() == 1;
    const expectation::ExpectedProfile& profile = pc98 ? expectation::PC98 : expectation::VGA;
    ProductPaths product(laid_, places_.windows);
    Snapshot expected = pristine_;
    std::set<std::string> there;
    for (const testreg::TreeEntry& e : expected.registry)
        if (e.isKey)
            there.insert(e.path);
    for (const testreg::TreeEntry& e : laidSnapshot_.registry)
        if (e.isKey && !product.Laid(e) && !there.count(e.path))
            expected.registry.push_back(e);
    std::sort(expected.registry.begin(), expected.registry.end());
    for (const testfiles::FileEntry& e : laidSnapshot_.files)
        if (e.isFolder && !product.Laid(e))
            testfiles::Put(&expected.files, e);
    // Where the standard display went.
    std::vector<std::string> classes, devices;
    for (const testreg::TreeEntry& e : end.registry) {
        size_t slash = e.path.find_last_of('\\');
        if (e.isKey || slash == std::string::npos)
            continue;
        std::string parent = e.path.substr(0, slash), name = e.path.substr(slash + 1);
        if (!e.isKey && e.name == "DriverDesc" && testfiles::SamePath(parent, "HKLM\\" + expectation::CLASS_ROOT) &&
            Bytes(e.data) == std::string(profile.description.text) + '\0')
            classes.push_back(name);
        if (!e.isKey && e.name == "HardwareID" && testfiles::SamePath(parent, "HKLM\\" + expectation::DEVICE_ROOT) &&
            Bytes(e.data) == std::string(profile.hardwareId) + '\0')
            devices.push_back(name);
    }
    if (classes.size() != 1 || devices.size() != 1)
        Violation("(d) standard displays registered: " + std::to_string(classes.size()) + " class entries, " +
                  std::to_string(devices.size()) + " devices");
    if (!classes.empty() && !devices.empty())
        expected.registry = machine_.Visible(expectation::Expected(
            expected.registry,
            expectation::RegistrationWrites(profile, classes[0], devices[0]) + expectation::SettingsWrites(profile),
            expectation::RegistrationKeys(profile, classes[0]), true));
    for (const testfiles::FileEntry& e : laidSnapshot_.files)
        if (testfiles::SamePath(e.path, places_.system + "\\VGA.QZN"))
            testfiles::Put(&expected.files, testfiles::FileOf(places_.system + "\\VGA.DRV", e.bytes));
    if (expected.registry != end.registry)
        Violation("(d) the registry is not the machine's before the installs:" +
                  Shortened(testreg::Difference(expected.registry, end.registry)));
    if (expected.files != end.files)
        Violation("(d) the disk is not the machine's before the installs:" +
                  Shortened(testfiles::Difference(expected.files, end.files)));
    char named[256] = "";
    GetPrivateProfileStringA("boot.description", "display.drv", "", named, sizeof(named), "SYSTEM.INI");
    if (profile.description.text != std::string(named))
        Violation(std::string("(d) SYSTEM.INI names the display ") + named);
    for (const auto& item : groupItems_)
        if (IsProductItem(item.second))
            Violation("(d) Program Manager still has " + item.first.second + " in " + item.first.first);
}

void Player::AppendPendingLines(const std::vector<std::string>& lines)
{
    std::string text = testfiles::Read(pendingFile_);
    for (const std::string& line : lines)
        text += line + "\r\n";
    testfiles::Write(pendingFile_, text);
}

Played Player::Play()
{
    // The machine before the first install, restarted once as every run's
    // machine is; its programs' pending renames then come again around the
    // product's, but change nothing more.
    LayMachine();
    AppendPendingLines(history_.OtherPendingLines());
    teststate::CarryOutPendingOperations(places_.windows);
    pristine_ = machine_.Dump();
    std::vector<std::string> machineLines = {"[rename]"};
    for (const footprint::PendingLine& line : machineLaid_.pending)
        machineLines.push_back(line.text);
    AppendPendingLines(machineLines);
    laid_ = Lay(history_.InstallDescription());
    AppendPendingLines(history_.OtherPendingLines());
    for (const Item& item : laid_.items) {
        char shortPath[MAX_PATH];
        if (item.type != Item::FILE || !IsProductItem(item.tags))
            continue;
        productFiles_.insert(LowerPath(item.path));
        if (GetShortPathNameA(item.path.c_str(), shortPath, sizeof(shortPath)))
            productFiles_.insert(LowerPath(shortPath));
    }
    productFiles_.insert(LowerPath(places_.windows + "\\NRXDEL.EXE"));
    history_.Spoil(laid_);
    for (const Install& install : history_.installs())
        remaining_.push_back(&install);
    for (const footprint::GroupItem& item : laid_.groupItems)
        groupItems_[{item.group, item.item}] = item.tags;
    Snapshot before = laidSnapshot_ = machine_.Dump();
    while (!remaining_.empty() && played_.runs < MAX_RUNS) {
        run_ = "run " + std::to_string(++played_.runs);
        std::vector<std::string> tags;
        for (const Install* install : remaining_)
            tags.push_back(install->tag);
        Run run = history_.NextRun(tags, testreg::KeyExists(HKEY_LOCAL_MACHINE, (std::string(RECORDS_KEY) + "\\DRIVER").c_str()),
                                   testreg::KeyExists(HKEY_LOCAL_MACHINE, (std::string(RECORDS_KEY) + "\\UTILITY").c_str()), laid_);
        const std::string pendingBefore = testfiles::Read(pendingFile_);
        RunOutcome outcome = machine_.Uninstall(run, Named(run.from)->dir, history_.machineType());
        if (!outcome.failure.empty())
            Violation(run_ + ": " + outcome.failure);
        else if (outcome.messages != 1)
            Violation(run_ + ": " + std::to_string(outcome.messages) + " final messages");
        const std::string pendingAfter = testfiles::Read(pendingFile_);
        std::vector<const Install*> removed = RemovedBy(run);
        CheckPendingLines(removed, pendingBefore, pendingAfter);
        GroupItems deleted;
        if (outcome.commandsSeen)
            deleted = Apply(outcome.commands, &groupItems_);
        else
            groupItems_.clear();  // seen as files where Program Manager is real
        // Other programs' renames were carried out before the first install:
        // now they find nothing to do, so outside the footprint nothing changes.
        teststate::CarryOutPendingOperations(places_.windows);
        Snapshot restarted = machine_.Dump();
        CheckOutside(before, restarted, pendingBefore, pendingAfter);
        CheckInstalls(removed, before, restarted, deleted);
        for (const Install* install : removed)
            remaining_.erase(std::find(remaining_.begin(), remaining_.end(), install));
        before = restarted;
    }
    run_.clear();
    if (!remaining_.empty())
        Violation("installs left after " + std::to_string(MAX_RUNS) + " runs");
    CheckEnd(before);
    played_.text = history_.Text();
    return played_;
}

}  // namespace

Played Play(Machine& machine, unsigned seed, bool pc98)
{
    return Player(machine, seed, pc98).Play();
}

unsigned Setting(const char* name, unsigned otherwise)
{
    char text[32] = "";
    return GetEnvironmentVariableA(name, text, sizeof(text)) ? (unsigned)strtoul(text, NULL, 10) : otherwise;
}

std::vector<std::string> PlayAndPrint(Machine& machine, unsigned first, unsigned count, bool pc98, const char* kind)
{
    std::vector<std::string> failed;
    int runs = 0, violations = 0;
    DWORD start = GetTickCount();
    for (unsigned seed = first; seed < first + count; ++seed) {
        Played played = Play(machine, seed, pc98);
        runs += played.runs;
        violations += (int)played.violations.size();
        printf("%s history %u: %d runs, %d violations\n", kind, seed, played.runs, (int)played.violations.size());
        fflush(stdout);
        if (played.violations.empty())
            continue;
        std::string account = played.text;
        for (const std::string& violation : played.violations)
            account += "  " + violation + "\n";
        failed.push_back(account + "replay: NRX_HISTORY_SEED=" + std::to_string(seed) + ", one history");
    }
    printf("%s histories: %u, runs: %d, violations: %d (%.0f s)\n", kind, count, runs, violations,
           (GetTickCount() - start) / 1000.0);
    fflush(stdout);
    return failed;
}

}  // namespace history
