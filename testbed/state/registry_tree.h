// Whole registry subtrees for footprint-exact tests: a dump of every key and
// value below a key as a sorted list, a way to apply expected writes to such a
// list, and a recorder of the RegSetValueExA calls this process makes, in
// order and with the sizes passed (which the registry does not always keep:
// Wine stores a REG_SZ only up to its first NUL).
#ifndef TESTBED_REGISTRY_TREE_H
#define TESTBED_REGISTRY_TREE_H

#include <windows.h>

#include "import_hook.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace testreg {

// A key (`isKey`, no name, type or data) or one value of a key. Paths are
// relative to the dumped key and exactly as the registry spells them.
struct TreeEntry {
    std::string path;
    bool isKey = false;
    std::string name;
    DWORD type = 0;
    std::vector<BYTE> data;
};
bool operator==(const TreeEntry& a, const TreeEntry& b);
bool operator<(const TreeEntry& a, const TreeEntry& b);
void PrintTo(const TreeEntry& entry, std::ostream* out);

typedef std::vector<TreeEntry> Tree;

// The entries only `expected` has ("- ...") and those only `actual` has
// ("+ ..."), one a line: a readable account of why two trees differ.
std::string Difference(const Tree& expected, const Tree& actual);

// Every key below `key` (not `key` itself) and every value of them all, sorted.
Tree DumpTree(HKEY root, const char* key);

TreeEntry KeyEntry(const std::string& path);
TreeEntry ValueEntry(const std::string& path, const std::string& name, DWORD type,
                     const std::vector<BYTE>& data);
// A REG_SZ as the registry returns it: the text and its terminator.
TreeEntry TextEntry(const std::string& path, const std::string& name, const std::string& text);
// Adds a key or value with the keys above it, as a write would create them; a
// value of the same path and name is replaced. The tree stays sorted.
void Apply(Tree* tree, const TreeEntry& entry);

// A key below one of the predefined roots; in the dumps of several such
// subtrees an entry's path starts with `rootName` ("HKLM\\...").
struct Subtree {
    HKEY root;
    std::string rootName;
    std::string path;
};
// Each subtree's own key (when it exists) and everything below it, sorted.
Tree DumpSubtrees(const std::vector<Subtree>& subtrees);
// Only the entries of `tree` within the subtrees (writes applied to a dump of
// them also bring the keys above).
Tree WithinSubtrees(const std::vector<Subtree>& subtrees, Tree tree);
// Makes the registry below the subtrees what `snapshot` (their dump) was:
// keys and values added since go, those removed or changed come back.
void RestoreSubtrees(const std::vector<Subtree>& subtrees, const Tree& snapshot);

struct RecordedWrite {
    std::string key;   // below the scratch root ("HKLM\..."); the full name outside one
    std::string name;
    DWORD type;
    std::vector<BYTE> data;  // the whole size passed
};
bool operator==(const RecordedWrite& a, const RecordedWrite& b);
void PrintTo(const RecordedWrite& write, std::ostream* out);

// While alive, every RegSetValueExA call of this executable's own code (and
// of the libraries linked into it) is recorded, and still carried out; so is
// every RegSetValueA call, as a write of the subkey's default value ("";
// below HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE itself, "HKCU\..." or "HKLM\...").
class WriteRecorder {
public:
    WriteRecorder();
    ~WriteRecorder();
    const std::vector<RecordedWrite>& writes() const { return writes_; }

private:
    std::vector<RecordedWrite> writes_;
    std::unique_ptr<testbed::ImportHook> hook_;
    std::unique_ptr<testbed::ImportHook> subkeyHook_;
};

}  // namespace testreg

#endif
