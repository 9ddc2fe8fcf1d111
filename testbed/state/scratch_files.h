// File helpers for tests: a private scratch folder per test, removed with
// everything in it afterwards, and whole-file reads and writes of raw bytes.
#ifndef TESTBED_SCRATCH_FILES_H
#define TESTBED_SCRATCH_FILES_H

#include <windows.h>

#include <string>

namespace testfiles {

class ScratchFolder {
public:
    // A new empty folder C:\<prefix>_<process>_<n>.
    explicit ScratchFolder(const char* prefix = "scratch");
    ~ScratchFolder();
    const std::string& path() const { return path_; }
    // path() + "\" + name
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

bool Exists(const std::string& path);
// The file's bytes; `found` tells whether it could be read.
std::string Read(const std::string& path, bool* found = NULL);
bool Write(const std::string& path, const std::string& bytes);
// Creates a folder; the "\\?\" form keeps names the usual form would change
// (a trailing space).
bool MakeFolder(const std::string& path);
// Removes a file or a folder with everything in it.
void Remove(const std::string& path);

}  // namespace testfiles

#endif
