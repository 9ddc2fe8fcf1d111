// Folder tree dumps and their restore.
#include "file_tree.h"
#include "scratch_files.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <sstream>
#include <tuple>

namespace testfiles {

std::string LowerPath(std::string text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = text[i];
        if (IsDBCSLeadByte(c)) {
            ++i;
            continue;
        }
        if (c >= 'A' && c <= 'Z')
            text[i] = (char)(c - 'A' + 'a');
    }
    return text;
}

bool SamePath(const std::string& a, const std::string& b)
{
    return LowerPath(a) == LowerPath(b);
}

bool IsWithin(const std::string& path, const std::string& folder)
{
    std::string p = LowerPath(path), f = LowerPath(folder);
    if (!f.empty() && f.back() == '\\')
        f.pop_back();
    return p == f || (p.size() > f.size() && p.compare(0, f.size(), f) == 0 && p[f.size()] == '\\');
}

bool operator==(const FileEntry& a, const FileEntry& b)
{
    return std::tie(a.path, a.isFolder, a.size, a.hasBytes, a.bytes, a.writeTime) ==
           std::tie(b.path, b.isFolder, b.size, b.hasBytes, b.bytes, b.writeTime);
}

void PrintTo(const FileEntry& entry, std::ostream* out)
{
    *out << entry.path;
    if (entry.isFolder) {
        *out << "\\";
        return;
    }
    *out << " (" << entry.size << " bytes";
    if (entry.hasBytes && entry.size <= 200) {
        *out << ": \"";
        for (unsigned char c : entry.bytes)
            if (c >= 0x20 && c != '\\')
                *out << c;
            else {
                static const char HEX[] = "0123456789ABCDEF";
                *out << "\\x" << HEX[c >> 4] << HEX[c & 15];
            }
        *out << "\"";
    }
    *out << ")";
}

static bool Skipped(const std::string& path, const std::vector<std::string>& skipped)
{
    for (const std::string& folder : skipped)
        if (IsWithin(path, folder))
            return true;
    return false;
}

static void DumpFolder(const std::string& folder, const std::vector<std::string>& skipped, bool descend,
                       FileTree* tree)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        std::string path = folder + "\\" + name;
        bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (name == "." || name == ".." || Skipped(path, skipped) || (isFolder && !descend))
            continue;
        FileEntry entry;
        entry.path = path;
        entry.isFolder = isFolder;
        if (!entry.isFolder) {
            entry.size = found.nFileSizeLow;
            entry.hasBytes = entry.size <= DUMPED_BYTES_LIMIT;
            if (entry.hasBytes)
                entry.bytes = Read(path);
            else
                entry.writeTime = ((ULONGLONG)found.ftLastWriteTime.dwHighDateTime << 32) |
                                  found.ftLastWriteTime.dwLowDateTime;
        }
        tree->push_back(entry);
        if (entry.isFolder)
            DumpFolder(path, skipped, descend, tree);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

static bool Sorted(const FileEntry& a, const FileEntry& b)
{
    return LowerPath(a.path) < LowerPath(b.path);
}

FileTree DumpFiles(const std::string& folder, const std::vector<std::string>& skipped, bool descend)
{
    FileTree tree;
    std::string root = folder;
    if (root.size() > 3 && root.back() == '\\')
        root.pop_back();
    if (!Exists(root))
        return tree;
    FileEntry top;
    top.path = root;
    top.isFolder = true;
    tree.push_back(top);
    // A drive root is listed as "X:" + "\name".
    DumpFolder(root.size() == 3 ? root.substr(0, 2) : root, skipped, descend, &tree);
    std::sort(tree.begin(), tree.end(), Sorted);
    return tree;
}

void Put(FileTree* tree, const FileEntry& entry)
{
    auto at = std::lower_bound(tree->begin(), tree->end(), entry, Sorted);
    if (at != tree->end() && SamePath(at->path, entry.path)) {
        std::string spelling = at->path;
        *at = entry;
        at->path = spelling;
    } else
        tree->insert(at, entry);
}

FileEntry FileOf(const std::string& path, const std::string& bytes)
{
    FileEntry entry;
    entry.path = path;
    entry.size = (DWORD)bytes.size();
    entry.hasBytes = entry.size <= DUMPED_BYTES_LIMIT;
    if (entry.hasBytes)
        entry.bytes = bytes;
    return entry;
}

// Entries by path, letter case ignored.
typedef std::map<std::string, const FileEntry*> PathIndex;

static PathIndex IndexOf(const FileTree& tree)
{
    PathIndex index;
    for (const FileEntry& entry : tree)
        index[LowerPath(entry.path)] = &entry;
    return index;
}

static const FileEntry* FindPath(const PathIndex& index, const std::string& path)
{
    auto found = index.find(LowerPath(path));
    return found == index.end() ? NULL : found->second;
}

std::string Difference(const FileTree& expected, const FileTree& actual)
{
    std::ostringstream out;
    for (const FileEntry& entry : expected)
        if (std::find(actual.begin(), actual.end(), entry) == actual.end()) {
            out << "- ";
            PrintTo(entry, &out);
            out << "\n";
        }
    for (const FileEntry& entry : actual)
        if (std::find(expected.begin(), expected.end(), entry) == expected.end()) {
            out << "+ ";
            PrintTo(entry, &out);
            out << "\n";
        }
    return out.str();
}

bool RestoreFiles(const std::string& folder, const FileTree& snapshot, const std::vector<std::string>& skipped,
                  bool descend)
{
    bool complete = true;
    FileTree now = DumpFiles(folder, skipped, descend);
    PathIndex wanted = IndexOf(snapshot);
    // Deepest first, so that a folder goes after what was in it.
    for (auto entry = now.rbegin(); entry != now.rend(); ++entry)
        if (!FindPath(wanted, entry->path))
            Remove(entry->path);
    FileTree kept = DumpFiles(folder, skipped, descend);
    PathIndex left = IndexOf(kept);
    for (const FileEntry& entry : snapshot) {
        const FileEntry* current = FindPath(left, entry.path);
        if (current && *current == entry)
            continue;
        if (entry.isFolder) {
            complete = MakeFolder(entry.path) && complete;
            continue;
        }
        if (!entry.hasBytes) {
            complete = false;
            continue;
        }
        SetFileAttributesA(entry.path.c_str(), FILE_ATTRIBUTE_NORMAL);
        complete = Write(entry.path, entry.bytes) && complete;
    }
    return complete;
}

}  // namespace testfiles
