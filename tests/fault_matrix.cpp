// The fault matrix's shared part: cases, their counts, snapshots, handles.
#include "fault_matrix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

namespace matrix {

namespace {

int casesRun = 0;
int casesHeld = 0;

// The case running now and when it counts as hung.
std::mutex watchMutex;
std::string watchedCase;
DWORD hangDeadline = 0;  // GetTickCount value; 0 while no case runs

void WatchForHangs()
{
    for (;;) {
        Sleep(250);
        std::lock_guard<std::mutex> lock(watchMutex);
        if (hangDeadline && (LONG)(GetTickCount() - hangDeadline) > 0) {
            fprintf(stderr, "fault matrix: case \"%s\" hangs; the test program ends\n", watchedCase.c_str());
            fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }
}

void Watch(const std::string& name, DWORD bound)
{
    static std::once_flag started;
    std::call_once(started, [] { std::thread(WatchForHangs).detach(); });
    std::lock_guard<std::mutex> lock(watchMutex);
    watchedCase = name;
    hangDeadline = GetTickCount() + 2 * bound + 10000;
    if (!hangDeadline)
        hangDeadline = 1;
}

void Unwatch()
{
    std::lock_guard<std::mutex> lock(watchMutex);
    hangDeadline = 0;
}

int FailedParts()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!test)
        return 0;
    const ::testing::TestResult* result = test->result();
    int failed = 0;
    for (int i = 0; i < result->total_part_count(); ++i)
        failed += result->GetTestPartResult(i).failed() ? 1 : 0;
    return failed;
}

// Prints the counts when the program ends and leaves them, as "<cases>
// <held>", in the build tree for the test command's summary line.
class Report : public ::testing::Environment {
public:
    void TearDown() override
    {
        printf("fault matrix: %d cases, %d held\n", casesRun, casesHeld);
        char program[MAX_PATH];
        GetModuleFileNameA(NULL, program, sizeof(program));
        std::string name = program;
        name = name.substr(name.find_last_of('\\') + 1);
        const std::string folder = WINE_BUILD_DIR "\\tests\\fault_matrix";
        CreateDirectoryA(folder.c_str(), NULL);
        FILE* file = fopen((folder + "\\" + name + ".txt").c_str(), "w");
        if (file) {
            fprintf(file, "%d %d\n", casesRun, casesHeld);
            fclose(file);
        }
    }
};
::testing::Environment* const report = ::testing::AddGlobalTestEnvironment(new Report);

std::string Lower(std::string text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = text[i];
        if (IsDBCSLeadByte(c))
            ++i;
        else if (c >= 'A' && c <= 'Z')
            text[i] = (char)(c - 'A' + 'a');
    }
    return text;
}

bool IsBelow(const std::string& path, const std::string& folder)
{
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '\\';
}

template <typename Entry>
bool Holds(const std::vector<Entry>& entries, const Entry& entry)
{
    return std::find(entries.begin(), entries.end(), entry) != entries.end();
}

std::string EntryPath(const testreg::TreeEntry& entry)
{
    return entry.isKey ? entry.path : entry.path + "\\" + entry.name;
}

std::string EntryPath(const testfiles::FileEntry& entry)
{
    return entry.path;
}

// Entries of `entries` that `other` lacks, outside what may change.
template <typename Entry>
void PutChanges(const std::vector<Entry>& entries, const std::vector<Entry>& other, const char* mark,
                const MayChange& mayChange, std::ostream* out)
{
    for (const Entry& entry : entries)
        if (!Holds(other, entry) && !mayChange(EntryPath(entry)))
            *out << mark << EntryPath(entry) << "\n";
}

// Handles opened and not yet closed while an OpenHandles lives. A critical
// section, since a std::mutex may itself close handles.
struct HandleLock {
    HandleLock() { EnterCriticalSection(Section()); }
    ~HandleLock() { LeaveCriticalSection(Section()); }
    static CRITICAL_SECTION* Section()
    {
        static CRITICAL_SECTION section;
        static bool initialised = (InitializeCriticalSection(&section), true);
        (void)initialised;
        return &section;
    }
};
std::set<HKEY> openKeys;
std::set<HANDLE> openFiles;

void Opened(LONG result, HKEY* key)
{
    if (result == ERROR_SUCCESS && key) {
        HandleLock lock;
        openKeys.insert(*key);
    }
}

template <typename Function>
Function Original(int i);

LONG WINAPI CountOpenKeyExA(HKEY root, LPCSTR path, DWORD options, REGSAM access, PHKEY key)
{
    LONG result = Original<LONG(WINAPI*)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY)>(0)(root, path, options, access, key);
    Opened(result, key);
    return result;
}

LONG WINAPI CountOpenKeyA(HKEY root, LPCSTR path, PHKEY key)
{
    LONG result = Original<LONG(WINAPI*)(HKEY, LPCSTR, PHKEY)>(1)(root, path, key);
    Opened(result, key);
    return result;
}

LONG WINAPI CountCreateKeyA(HKEY root, LPCSTR path, PHKEY key)
{
    LONG result = Original<LONG(WINAPI*)(HKEY, LPCSTR, PHKEY)>(2)(root, path, key);
    Opened(result, key);
    return result;
}

LONG WINAPI CountCreateKeyExA(HKEY root, LPCSTR path, DWORD reserved, LPSTR keyClass, DWORD options, REGSAM access,
                              LPSECURITY_ATTRIBUTES security, PHKEY key, LPDWORD disposition)
{
    LONG result = Original<LONG(WINAPI*)(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY,
                                         LPDWORD)>(3)(root, path, reserved, keyClass, options, access, security,
                                                      key, disposition);
    Opened(result, key);
    return result;
}

LONG WINAPI CountCloseKey(HKEY key)
{
    {
        HandleLock lock;
        openKeys.erase(key);
    }
    return Original<LONG(WINAPI*)(HKEY)>(4)(key);
}

HANDLE WINAPI CountCreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                               DWORD disposition, DWORD flags, HANDLE model)
{
    HANDLE file = Original<HANDLE(WINAPI*)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE)>(5)(
        path, access, share, security, disposition, flags, model);
    if (file != INVALID_HANDLE_VALUE) {
        HandleLock lock;
        openFiles.insert(file);
    }
    return file;
}

BOOL WINAPI CountCloseHandle(HANDLE handle)
{
    {
        HandleLock lock;
        openFiles.erase(handle);
    }
    return Original<BOOL(WINAPI*)(HANDLE)>(6)(handle);
}

struct HookRow {
    const char* dll;
    const char* function;
    void* replacement;
};
const HookRow HANDLE_HOOKS[] = {
    {"ADVAPI32.dll", "RegOpenKeyExA", (void*)CountOpenKeyExA},
    {"ADVAPI32.dll", "RegOpenKeyA", (void*)CountOpenKeyA},
    {"ADVAPI32.dll", "RegCreateKeyA", (void*)CountCreateKeyA},
    {"ADVAPI32.dll", "RegCreateKeyExA", (void*)CountCreateKeyExA},
    {"ADVAPI32.dll", "RegCloseKey", (void*)CountCloseKey},
    {"KERNEL32.dll", "CreateFileA", (void*)CountCreateFileA},
    {"KERNEL32.dll", "CloseHandle", (void*)CountCloseHandle},
};
std::vector<std::unique_ptr<testbed::ImportHook>>* handleHooks = NULL;

template <typename Function>
Function Original(int i)
{
    return (*handleHooks)[i]->original<Function>();
}

// The value StoredBytes hands back.
std::string storedName;
DWORD storedType;
std::string storedData;
testbed::ImportHook* storedHook = NULL;

LONG WINAPI QueryStoredBytes(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size)
{
    if (!name || lstrcmpiA(name, storedName.c_str()) != 0)
        return storedHook->original<LONG(WINAPI*)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD)>()(
            key, name, reserved, type, data, size);
    if (type)
        *type = storedType;
    DWORD available = size ? *size : 0;
    if (size)
        *size = (DWORD)storedData.size();
    if (!data)
        return ERROR_SUCCESS;
    if (available < storedData.size())
        return ERROR_MORE_DATA;
    CopyMemory(data, storedData.data(), storedData.size());
    return ERROR_SUCCESS;
}

}  // namespace

void Case(const std::string& name, DWORD bound, const std::function<void()>& body)
{
    SCOPED_TRACE("fault matrix case: " + name);
    int failedBefore = FailedParts();
    Watch(name, bound);
    DWORD start = GetTickCount();
    body();
    DWORD elapsed = GetTickCount() - start;
    Unwatch();
    EXPECT_LE(elapsed, bound) << "ms: the case took longer than its bound";
    ++casesRun;
    if (FailedParts() == failedBefore)
        ++casesHeld;
}

Snapshot Take(const Watched& watched)
{
    Snapshot snapshot;
    snapshot.registry = testreg::DumpSubtrees(watched.keys);
    for (const std::string& folder : watched.folders) {
        testfiles::FileTree files = testfiles::DumpFiles(folder);
        snapshot.files.insert(snapshot.files.end(), files.begin(), files.end());
    }
    return snapshot;
}

MayChange Within(const std::vector<std::string>& paths)
{
    std::vector<std::string> lowered;
    for (const std::string& path : paths)
        lowered.push_back(Lower(path));
    return [lowered](const std::string& path) {
        std::string lower = Lower(path);
        // Below an allowed path, or a key above it that creating it makes.
        for (const std::string& allowed : lowered)
            if (lower == allowed || IsBelow(lower, allowed) || IsBelow(allowed, lower))
                return true;
        return false;
    };
}

std::string ChangesOutside(const Snapshot& before, const Snapshot& after, const MayChange& mayChange)
{
    return ChangesOutside(before, after, mayChange, mayChange);
}

std::string ChangesOutside(const Snapshot& before, const Snapshot& after, const MayChange& mayRemove,
                           const MayChange& mayAdd)
{
    std::ostringstream out;
    PutChanges(before.registry, after.registry, "- ", mayRemove, &out);
    PutChanges(after.registry, before.registry, "+ ", mayAdd, &out);
    PutChanges(before.files, after.files, "- ", mayRemove, &out);
    PutChanges(after.files, before.files, "+ ", mayAdd, &out);
    return out.str();
}

OpenHandles::OpenHandles()
{
    {
        HandleLock lock;
        openKeys.clear();
        openFiles.clear();
    }
    handleHooks = &hooks_;
    for (const HookRow& row : HANDLE_HOOKS) {
        // A function the executable does not import is not called either.
        hooks_.emplace_back(new testbed::ImportHook(row.dll, row.function, row.replacement));
    }
}

OpenHandles::~OpenHandles()
{
    while (!hooks_.empty())
        hooks_.pop_back();
}

int OpenHandles::keys() const
{
    HandleLock lock;
    return (int)openKeys.size();
}

int OpenHandles::files() const
{
    HandleLock lock;
    return (int)openFiles.size();
}

StoredBytes::StoredBytes(const std::string& name, DWORD type, const std::string& data)
{
    storedName = name;
    storedType = type;
    storedData = data;
    hook_.reset(new testbed::ImportHook("ADVAPI32.dll", "RegQueryValueExA", (void*)QueryStoredBytes));
    storedHook = hook_.get();
    EXPECT_TRUE(hook_->installed());
}

StoredBytes::~StoredBytes()
{
    hook_.reset();
    storedHook = NULL;
}

}  // namespace matrix
