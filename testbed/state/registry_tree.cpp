// Registry subtree dumps and the recorder of registry writes.
#include "registry_tree.h"
#include "file_tree.h"
#include "scratch_registry.h"

#include <algorithm>
#include <ostream>
#include <sstream>
#include <tuple>

namespace testreg {

bool operator==(const TreeEntry& a, const TreeEntry& b)
{
    return std::tie(a.path, a.isKey, a.name, a.type, a.data) ==
           std::tie(b.path, b.isKey, b.name, b.type, b.data);
}

// Each key before its values, values by name.
bool operator<(const TreeEntry& a, const TreeEntry& b)
{
    return std::make_tuple(a.path, !a.isKey, a.name) < std::make_tuple(b.path, !b.isKey, b.name);
}

static void PrintValue(const std::string& name, DWORD type, const std::vector<BYTE>& data,
                       std::ostream* out)
{
    *out << " \"" << name << "\" type " << type << ", " << data.size() << " bytes:";
    static const char HEX[] = "0123456789ABCDEF";
    for (BYTE b : data)
        *out << ' ' << HEX[b >> 4] << HEX[b & 15];
}

static void Describe(const TreeEntry& entry, std::ostream* out)
{
    *out << "[" << entry.path << "]";
    if (!entry.isKey)
        PrintValue(entry.name, entry.type, entry.data, out);
}

void PrintTo(const TreeEntry& entry, std::ostream* out)
{
    *out << "\n  ";
    Describe(entry, out);
}

bool operator==(const RecordedWrite& a, const RecordedWrite& b)
{
    return std::tie(a.key, a.name, a.type, a.data) == std::tie(b.key, b.name, b.type, b.data);
}

void PrintTo(const RecordedWrite& write, std::ostream* out)
{
    *out << "\n  [" << write.key << "]";
    PrintValue(write.name, write.type, write.data, out);
}

// True when the sorted `tree` holds `entry` exactly.
static bool Contains(const Tree& tree, const TreeEntry& entry)
{
    auto at = std::lower_bound(tree.begin(), tree.end(), entry);
    for (; at != tree.end() && !(entry < *at); ++at)
        if (*at == entry)
            return true;
    return false;
}

// Entries of `tree` missing from `other`, each on a line after `mark`.
static void PutMissing(const Tree& tree, const Tree& other, const char* mark, std::ostream* out)
{
    for (const TreeEntry& entry : tree) {
        if (Contains(other, entry))
            continue;
        *out << mark;
        Describe(entry, out);
        *out << "\n";
    }
}

std::string Difference(const Tree& expected, const Tree& actual)
{
    std::ostringstream out;
    PutMissing(expected, actual, "- ", &out);
    PutMissing(actual, expected, "+ ", &out);
    return out.str();
}

static std::string Join(const std::string& path, const std::string& name)
{
    return path.empty() ? name : path + "\\" + name;
}

static void DumpKey(HKEY key, const std::string& path, Tree* tree)
{
    char name[16384];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof(name);
        DWORD type = 0, size = 0;
        if (RegEnumValueA(key, i, name, &nameSize, NULL, &type, NULL, &size) != ERROR_SUCCESS)
            break;
        TreeEntry value = ValueEntry(path, name, type, std::vector<BYTE>(size));
        if (RegQueryValueExA(key, name, NULL, &type, value.data.data(), &size) == ERROR_SUCCESS)
            value.data.resize(size);
        tree->push_back(value);
    }
    for (DWORD i = 0; RegEnumKeyA(key, i, name, sizeof(name)) == ERROR_SUCCESS; ++i) {
        std::string child = Join(path, name);
        tree->push_back(KeyEntry(child));
        HKEY opened;
        if (RegOpenKeyExA(key, name, 0, KEY_READ, &opened) == ERROR_SUCCESS) {
            DumpKey(opened, child, tree);
            RegCloseKey(opened);
        }
    }
}

Tree DumpTree(HKEY root, const char* key)
{
    Tree tree;
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return tree;
    DumpKey(opened, "", &tree);
    RegCloseKey(opened);
    std::sort(tree.begin(), tree.end());
    return tree;
}

TreeEntry KeyEntry(const std::string& path)
{
    TreeEntry entry;
    entry.path = path;
    entry.isKey = true;
    return entry;
}

TreeEntry ValueEntry(const std::string& path, const std::string& name, DWORD type,
                     const std::vector<BYTE>& data)
{
    TreeEntry entry;
    entry.path = path;
    entry.name = name;
    entry.type = type;
    entry.data = data;
    return entry;
}

TreeEntry TextEntry(const std::string& path, const std::string& name, const std::string& text)
{
    std::vector<BYTE> data(text.begin(), text.end());
    data.push_back(0);
    return ValueEntry(path, name, REG_SZ, data);
}

void Apply(Tree* tree, const TreeEntry& entry)
{
    for (size_t end = entry.path.find('\\'); ; end = entry.path.find('\\', end + 1)) {
        TreeEntry key = KeyEntry(entry.path.substr(0, end));
        if (!key.path.empty() && std::find(tree->begin(), tree->end(), key) == tree->end())
            tree->push_back(key);
        if (end == std::string::npos)
            break;
    }
    if (!entry.isKey) {
        auto same = std::find_if(tree->begin(), tree->end(), [&](const TreeEntry& e) {
            return !e.isKey && e.path == entry.path && e.name == entry.name;
        });
        if (same != tree->end())
            *same = entry;
        else
            tree->push_back(entry);
    }
    std::sort(tree->begin(), tree->end());
}

Tree DumpSubtrees(const std::vector<Subtree>& subtrees)
{
    Tree tree;
    for (const Subtree& subtree : subtrees) {
        std::string top = subtree.path.empty() ? subtree.rootName : subtree.rootName + "\\" + subtree.path;
        HKEY opened;
        if (RegOpenKeyExA(subtree.root, subtree.path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
            continue;
        RegCloseKey(opened);
        tree.push_back(KeyEntry(top));
        for (TreeEntry entry : DumpTree(subtree.root, subtree.path.c_str())) {
            entry.path = Join(top, entry.path);
            tree.push_back(entry);
        }
    }
    std::sort(tree.begin(), tree.end());
    return tree;
}

Tree WithinSubtrees(const std::vector<Subtree>& subtrees, Tree tree)
{
    auto outside = [&](const TreeEntry& entry) {
        for (const Subtree& subtree : subtrees)
            if (testfiles::IsWithin(entry.path, subtree.rootName + "\\" + subtree.path))
                return false;
        return true;
    };
    tree.erase(std::remove_if(tree.begin(), tree.end(), outside), tree.end());
    return tree;
}

// The root and the path below it of a dumped entry's path.
static bool Locate(const std::vector<Subtree>& subtrees, const std::string& path, HKEY* root, std::string* key)
{
    for (const Subtree& subtree : subtrees)
        if (path.compare(0, subtree.rootName.size() + 1, subtree.rootName + "\\") == 0) {
            *root = subtree.root;
            *key = path.substr(subtree.rootName.size() + 1);
            return true;
        }
    return false;
}

void RestoreSubtrees(const std::vector<Subtree>& subtrees, const Tree& snapshot)
{
    Tree now = DumpSubtrees(subtrees);
    HKEY root;
    std::string key;
    // Deepest first: a key goes after its subkeys and values.
    for (auto entry = now.rbegin(); entry != now.rend(); ++entry) {
        if (Contains(snapshot, *entry) || !Locate(subtrees, entry->path, &root, &key))
            continue;
        if (entry->isKey) {
            DeleteTree(root, key.c_str());
            continue;
        }
        HKEY opened;
        if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &opened) == ERROR_SUCCESS) {
            RegDeleteValueA(opened, entry->name.c_str());
            RegCloseKey(opened);
        }
    }
    now = DumpSubtrees(subtrees);
    for (const TreeEntry& entry : snapshot) {
        if (Contains(now, entry) || !Locate(subtrees, entry.path, &root, &key))
            continue;
        HKEY created;
        if (RegCreateKeyA(root, key.c_str(), &created) != ERROR_SUCCESS)
            continue;
        if (!entry.isKey)
            RegSetValueExA(created, entry.name.c_str(), 0, entry.type, entry.data.data(), (DWORD)entry.data.size());
        RegCloseKey(created);
    }
}

// The recorder replaces the executable's import of RegSetValueExA: the one
// that code linked into the test executable calls through.
typedef LONG(WINAPI* RegSetValueExAFunction)(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD);
typedef LONG(WINAPI* NtQueryKeyFunction)(HANDLE, int, void*, ULONG, ULONG*);

static std::vector<RecordedWrite>* ActiveWrites = NULL;  // of the recorder alive
static RegSetValueExAFunction RealRegSetValueExA = NULL;

// The key's name as the registry gives it, from the scratch root's own
// roots on ("HKLM\...") when the key lies in a scratch tree.
static std::string KeyName(HKEY key)
{
    static const NtQueryKeyFunction query =
        (NtQueryKeyFunction)GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryKey");
    const int KEY_NAME_INFORMATION = 3;
    ULONG buffer[1024];
    ULONG length = 0;
    if (!query || query(key, KEY_NAME_INFORMATION, buffer, sizeof(buffer), &length) != 0)
        return "";
    char name[4096];
    int size = WideCharToMultiByte(CP_ACP, 0, (const WCHAR*)(buffer + 1), (int)(buffer[0] / 2), name,
                                   sizeof(name), NULL, NULL);
    std::string full(name, size > 0 ? size : 0);
    const std::string scratch = "\\Software\\TestScratch\\";
    size_t at = full.find(scratch);
    if (at == std::string::npos)
        return full;
    size_t root = full.find('\\', at + scratch.size());
    return root == std::string::npos ? "" : full.substr(root + 1);
}

static LONG WINAPI RecordingRegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type,
                                           const BYTE* data, DWORD size)
{
    if (ActiveWrites) {
        RecordedWrite write;
        write.key = KeyName(key);
        write.name = name ? name : "";
        write.type = type;
        if (data)
            write.data.assign(data, data + size);
        ActiveWrites->push_back(write);
    }
    return RealRegSetValueExA(key, name, reserved, type, data, size);
}

// RegSetValueA, where the executable imports it, writes the default value
// of a subkey: recorded as that subkey's, with the size passed.
typedef LONG(WINAPI* RegSetValueAFunction)(HKEY, LPCSTR, DWORD, LPCSTR, DWORD);
static RegSetValueAFunction RealRegSetValueA = NULL;

static LONG WINAPI RecordingRegSetValueA(HKEY key, LPCSTR subkey, DWORD type, LPCSTR data, DWORD size)
{
    if (ActiveWrites) {
        RecordedWrite write;
        // The predefined roots are named as in the scratch tree; NtQueryKey knows no such handle.
        write.key = key == HKEY_CURRENT_USER    ? "HKCU"
                    : key == HKEY_LOCAL_MACHINE ? "HKLM"
                                                : KeyName(key);
        if (subkey && *subkey)
            write.key += (write.key.empty() ? "" : "\\") + std::string(subkey);
        write.type = type;
        if (data)
            write.data.assign(data, data + size);
        ActiveWrites->push_back(write);
    }
    return RealRegSetValueA(key, subkey, type, data, size);
}

WriteRecorder::WriteRecorder()
{
    if (ActiveWrites)
        return;
    hook_.reset(new testbed::ImportHook("ADVAPI32.dll", "RegSetValueExA",
                                        (void*)RecordingRegSetValueExA));
    if (!hook_->installed())
        return;
    RealRegSetValueExA = hook_->original<RegSetValueExAFunction>();
    subkeyHook_.reset(new testbed::ImportHook("ADVAPI32.dll", "RegSetValueA",
                                              (void*)RecordingRegSetValueA));
    RealRegSetValueA = subkeyHook_->original<RegSetValueAFunction>();
    ActiveWrites = &writes_;
}

WriteRecorder::~WriteRecorder()
{
    if (ActiveWrites == &writes_)
        ActiveWrites = NULL;
}

}  // namespace testreg
