// Whole folder trees for footprint-exact tests: a dump of every file and
// folder below a folder (small files with their bytes, large ones by size
// and time), a readable difference, and putting a tree back as dumped.
#ifndef TESTBED_FILE_TREE_H
#define TESTBED_FILE_TREE_H

#include <windows.h>

#include <iosfwd>
#include <string>
#include <vector>

namespace testfiles {

// Files up to this size are dumped with their bytes.
const DWORD DUMPED_BYTES_LIMIT = 64 * 1024;

struct FileEntry {
    std::string path;  // full, as the file system spells it
    bool isFolder = false;
    DWORD size = 0;
    bool hasBytes = false;
    std::string bytes;        // when hasBytes
    ULONGLONG writeTime = 0;  // when not
};
bool operator==(const FileEntry& a, const FileEntry& b);
void PrintTo(const FileEntry& entry, std::ostream* out);

// Sorted by path, letter case ignored.
typedef std::vector<FileEntry> FileTree;

// `folder` itself and everything below it, except the folders named in
// `skipped` (full paths, letter case ignored) and what is in them; without
// `descend`, only the files directly in `folder`.
FileTree DumpFiles(const std::string& folder, const std::vector<std::string>& skipped = {}, bool descend = true);
// Puts `entry` into the sorted `tree`, in place of one of the same path
// (whose spelling it keeps).
void Put(FileTree* tree, const FileEntry& entry);
// A file's entry as DumpFiles makes it for a file of these bytes.
FileEntry FileOf(const std::string& path, const std::string& bytes);
// "- " lines for entries only `expected` has, "+ " lines for those only `actual` has.
std::string Difference(const FileTree& expected, const FileTree& actual);
// `path` with its ASCII capitals in lower case (never inside a double-byte character).
std::string LowerPath(std::string path);
// Same path, letter case ignored.
bool SamePath(const std::string& a, const std::string& b);
// True when `path` is `folder` or lies below it (letter case ignored).
bool IsWithin(const std::string& path, const std::string& folder);

// Makes the tree below `folder` what `snapshot` (its dump) was: what was
// added goes, what went or changed comes back (files dumped with their
// bytes; a large file cannot be). False when something could not be put back.
bool RestoreFiles(const std::string& folder, const FileTree& snapshot,
                  const std::vector<std::string>& skipped = {}, bool descend = true);

}  // namespace testfiles

#endif
