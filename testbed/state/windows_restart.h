// The restart of Windows 95 as far as pending file operations go: before any
// program runs, WININIT carries out the "[rename]" section of "wininit.ini"
// in the Windows directory line by line, in order ("NUL=<file>" deletes the
// file, "<target>=<source>" puts the source in the target's place), and
// renames the file to "wininit.bak".
#ifndef TESTBED_WINDOWS_RESTART_H
#define TESTBED_WINDOWS_RESTART_H

#include <string>
#include <vector>

namespace teststate {

struct PendingOperation {
    std::string target;  // "NUL" for a deletion
    std::string source;
    bool done;
};

// Carries out the pending operations of `windowsDirectory`'s "wininit.ini",
// which then becomes "wininit.bak"; what was asked and what could be done.
std::vector<PendingOperation> CarryOutPendingOperations(const std::string& windowsDirectory);

}  // namespace teststate

#endif
