// The fault matrix's shared part. Every case runs through matrix::Case,
// which bounds its time (a case that hangs ends the test program, naming
// it), counts it and whether it held; the counts are printed when the test
// program ends and left for the test command's summary line. Snapshots of
// the registry subtrees and folders a case may touch show every change
// outside what the program may write; a handle count shows registry keys
// and files it left open; StoredBytes hands back a value as Windows 95's
// registry would, unterminated.
#ifndef TESTS_FAULT_MATRIX_H
#define TESTS_FAULT_MATRIX_H

#include "file_tree.h"
#include "import_hook.h"
#include "registry_tree.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace matrix {

// Runs one case of the matrix. It fails when it takes longer than `bound`
// ms; one that takes far longer is taken for a hang and ends the program.
void Case(const std::string& name, DWORD bound, const std::function<void()>& body);

// What a case may touch, dumped whole before and after it.
struct Watched {
    std::vector<testreg::Subtree> keys;
    std::vector<std::string> folders;
};
struct Snapshot {
    testreg::Tree registry;
    testfiles::FileTree files;
};
Snapshot Take(const Watched& watched);

// Whether the program may add, change or remove what lies at `path`: a key
// ("HKLM\...") or a value ("HKLM\...\<name>") of a dump, or a file path.
typedef std::function<bool(const std::string& path)> MayChange;
// Each of `paths` and everything below it, and the keys or folders above it
// that making it makes; letter case ignored.
MayChange Within(const std::vector<std::string>& paths);
// One line for every entry added, removed or changed where `mayChange` does
// not allow it; empty when there is none.
std::string ChangesOutside(const Snapshot& before, const Snapshot& after, const MayChange& mayChange);
// The same with what may go (or change from) and what may come (or change to) apart.
std::string ChangesOutside(const Snapshot& before, const Snapshot& after, const MayChange& mayRemove,
                           const MayChange& mayAdd);

// While alive, the registry keys and files this executable opens are
// counted; the ones still open are what it did not close.
class OpenHandles {
public:
    OpenHandles();
    ~OpenHandles();
    int keys() const;
    int files() const;

private:
    std::vector<std::unique_ptr<testbed::ImportHook>> hooks_;
};

// While alive, RegQueryValueExA of a value named `name` (in any key) finds
// exactly `data` of `type`, as Windows 95 hands back what was stored:
// without a terminator the writer left out, ERROR_MORE_DATA when the buffer
// is too small.
class StoredBytes {
public:
    StoredBytes(const std::string& name, DWORD type, const std::string& data);
    ~StoredBytes();

private:
    std::unique_ptr<testbed::ImportHook> hook_;
};

}  // namespace matrix

#endif
