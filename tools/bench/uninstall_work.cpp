// NRXDEL's work recorded while its sequence runs, and made again directly.
#include "uninstall_work.h"
#include "import_hook.h"
#include "scratch_files.h"

#include <ddeml.h>

#include <memory>
#include <vector>

namespace uninstall_work {

double Now()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return now.QuadPart * 1000.0 / frequency.QuadPart;
}

namespace {

// A text argument that may be NULL.
struct Text {
    bool null;
    std::string text;
    Text(LPCSTR value = NULL) : null(!value), text(value ? value : "") {}
    LPCSTR get() const { return null ? NULL : text.c_str(); }
};

struct Work {
    enum Kind {
        DELETE_FILE, REMOVE_DIRECTORY, WRITE_FILE, WRITE_PROFILE, DELETE_KEY, CREATE_KEY, SET_VALUE,
        DELETE_VALUE, CONNECT, EXECUTE, DISCONNECT, KINDS
    } kind;
    HKEY root;          // of a key, with its path below it in `path`
    std::string path;   // file, key or profile file
    Text name;          // value name, or profile section
    Text key;           // profile key
    std::string data;   // bytes written, value data, command
    DWORD type;
};

// How Summary() names each kind of work.
const char* const KIND_NAMES[Work::KINDS] = {
    "DeleteFileA", "RemoveDirectoryA", "CopyFileA (bytes written)", "WritePrivateProfileStringA",
    "RegDeleteKeyA", "RegCreateKeyA", "RegSetValueExA", "RegDeleteValueA", "", "", "",
};

std::vector<Work> work;
std::map<std::string, Spent> spent;
double finalMessageAt = 0;
bool quiet = false;  // the recorder's own calls are not the sequence's

// A key as a predefined root and the path below it.
struct KeyName {
    HKEY root;
    std::string path;
};
std::map<HKEY, KeyName> openKeys;

KeyName Below(HKEY key, LPCSTR subkey)
{
    auto found = openKeys.find(key);
    KeyName name = found != openKeys.end() ? found->second : KeyName{key, ""};
    if (subkey && *subkey)
        name.path += (name.path.empty() ? "" : "\\") + std::string(subkey);
    return name;
}

void Record(Work::Kind kind, const std::string& path, HKEY root = NULL)
{
    Work item = {kind, root, path, Text(), Text(), "", 0};
    work.push_back(item);
}

struct Installed {
    std::unique_ptr<testbed::ImportHook> hook;
    const char* name;
};
std::vector<Installed> installed;

// The original of hook I (its place in HOOKED), timed under its name.
template <int I, typename R, typename... A>
R CallTimed(A... arguments)
{
    double start = Now();
    R result = installed[I].hook->original<R(WINAPI*)(A...)>()(arguments...);
    if (!quiet) {
        Spent& s = spent[installed[I].name];
        s.ms += Now() - start;
        ++s.calls;
    }
    return result;
}

template <int I, typename R, typename... A>
R WINAPI Timed(A... arguments)
{
    return CallTimed<I, R, A...>(arguments...);
}

BOOL WINAPI DeleteFileRecorded(LPCSTR path)
{
    Record(Work::DELETE_FILE, path);
    return CallTimed<0, BOOL>(path);
}

LONG WINAPI DeleteKeyRecorded(HKEY key, LPCSTR subkey)
{
    KeyName name = Below(key, subkey);
    Record(Work::DELETE_KEY, name.path, name.root);
    return CallTimed<1, LONG>(key, subkey);
}

LONG WINAPI OpenKeyExTracked(HKEY key, LPCSTR subkey, DWORD options, REGSAM access, PHKEY opened)
{
    LONG result = CallTimed<3, LONG>(key, subkey, options, access, opened);
    if (result == ERROR_SUCCESS)
        openKeys[*opened] = Below(key, subkey);
    return result;
}

LONG WINAPI CreateKeyTracked(HKEY key, LPCSTR subkey, PHKEY opened)
{
    LONG result = CallTimed<7, LONG>(key, subkey, opened);
    if (result != ERROR_SUCCESS)
        return result;
    KeyName name = Below(key, subkey);
    openKeys[*opened] = name;
    Record(Work::CREATE_KEY, name.path, name.root);
    return result;
}

LONG WINAPI SetValueRecorded(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size)
{
    KeyName keyName = Below(key, NULL);
    Work item = {Work::SET_VALUE, keyName.root, keyName.path, Text(name), Text(), std::string((const char*)data, size),
                 type};
    work.push_back(item);
    return CallTimed<8, LONG>(key, name, reserved, type, data, size);
}

BOOL WINAPI RemoveDirectoryRecorded(LPCSTR path)
{
    Record(Work::REMOVE_DIRECTORY, path);
    return CallTimed<10, BOOL>(path);
}

// A copy is, done directly, its source's bytes written to the target.
BOOL WINAPI CopyFileRecorded(LPCSTR source, LPCSTR target, BOOL failIfExists)
{
    BOOL copied = CallTimed<11, BOOL>(source, target, failIfExists);
    quiet = true;
    bool found = false;
    std::string bytes = testfiles::Read(target, &found);
    quiet = false;
    if (copied && found) {
        Record(Work::WRITE_FILE, target);
        work.back().data = bytes;
    }
    return copied;
}

BOOL WINAPI WriteProfileRecorded(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file)
{
    Work item = {Work::WRITE_PROFILE, NULL, file, Text(section), Text(key), value ? value : "", value ? 1u : 0u};
    work.push_back(item);
    return CallTimed<12, BOOL>(section, key, value, file);
}

HCONV WINAPI ConnectRecorded(DWORD instance, HSZ service, HSZ topic, PCONVCONTEXT context)
{
    HCONV conversation = CallTimed<14, HCONV>(instance, service, topic, context);
    if (conversation)
        Record(Work::CONNECT, "");
    return conversation;
}

HDDEDATA WINAPI TransactionRecorded(LPBYTE data, DWORD size, HCONV conversation, HSZ item, UINT format, UINT type,
                                    DWORD timeout, LPDWORD result)
{
    if (type == XTYP_EXECUTE && data) {
        Record(Work::EXECUTE, "");
        work.back().data.assign((const char*)data, size);
    }
    return CallTimed<15, HDDEDATA>(data, size, conversation, item, format, type, timeout, result);
}

BOOL WINAPI DisconnectRecorded(HCONV conversation)
{
    Record(Work::DISCONNECT, "");
    return CallTimed<16, BOOL>(conversation);
}

LONG WINAPI OpenKeyTracked(HKEY key, LPCSTR subkey, PHKEY opened)
{
    LONG result = CallTimed<18, LONG>(key, subkey, opened);
    if (result == ERROR_SUCCESS)
        openKeys[*opened] = Below(key, subkey);
    return result;
}

LONG WINAPI DeleteValueRecorded(HKEY key, LPCSTR name)
{
    KeyName keyName = Below(key, NULL);
    Record(Work::DELETE_VALUE, keyName.path, keyName.root);
    work.back().name = Text(name);
    return CallTimed<19, LONG>(key, name);
}

// The final message: its time is the end of the run; it is answered at once.
int WINAPI StopAtFinalMessage(HWND, LPCSTR, LPCSTR, UINT)
{
    finalMessageAt = Now();
    return IDCANCEL;
}

struct HookRow {
    const char* dll;
    const char* function;
    void* replacement;
};

// A row's place is the index its replacement calls the original by.
const HookRow HOOKED[] = {
    {"KERNEL32.dll", "DeleteFileA", (void*)DeleteFileRecorded},
    {"ADVAPI32.dll", "RegDeleteKeyA", (void*)DeleteKeyRecorded},
    {"KERNEL32.dll", "CreateFileA",
     (void*)Timed<2, HANDLE, LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE>},
    {"ADVAPI32.dll", "RegOpenKeyExA", (void*)OpenKeyExTracked},
    {"ADVAPI32.dll", "RegQueryValueExA", (void*)Timed<4, LONG, HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD>},
    {"ADVAPI32.dll", "RegEnumKeyExA",
     (void*)Timed<5, LONG, HKEY, DWORD, LPSTR, LPDWORD, LPDWORD, LPSTR, LPDWORD, PFILETIME>},
    {"ADVAPI32.dll", "RegEnumKeyA", (void*)Timed<6, LONG, HKEY, DWORD, LPSTR, DWORD>},
    {"ADVAPI32.dll", "RegCreateKeyA", (void*)CreateKeyTracked},
    {"ADVAPI32.dll", "RegSetValueExA", (void*)SetValueRecorded},
    {"KERNEL32.dll", "GetShortPathNameA", (void*)Timed<9, DWORD, LPCSTR, LPSTR, DWORD>},
    {"KERNEL32.dll", "RemoveDirectoryA", (void*)RemoveDirectoryRecorded},
    {"KERNEL32.dll", "CopyFileA", (void*)CopyFileRecorded},
    {"KERNEL32.dll", "WritePrivateProfileStringA", (void*)WriteProfileRecorded},
    {"USER32.dll", "DdeInitializeA", (void*)Timed<13, UINT, LPDWORD, PFNCALLBACK, DWORD, DWORD>},
    {"USER32.dll", "DdeConnect", (void*)ConnectRecorded},
    {"USER32.dll", "DdeClientTransaction", (void*)TransactionRecorded},
    {"USER32.dll", "DdeDisconnect", (void*)DisconnectRecorded},
    {"USER32.dll", "DdeUninitialize", (void*)Timed<17, BOOL, DWORD>},
    {"ADVAPI32.dll", "RegOpenKeyA", (void*)OpenKeyTracked},
    {"ADVAPI32.dll", "RegDeleteValueA", (void*)DeleteValueRecorded},
    {"USER32.dll", "MessageBoxA", (void*)StopAtFinalMessage},
};

HDDEDATA CALLBACK NoTransactions(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return 0;
}

void WriteFileDirectly(const Work& item)
{
    HANDLE file = CreateFileA(item.path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written;
    WriteFile(file, item.data.data(), (DWORD)item.data.size(), &written, NULL);
    CloseHandle(file);
}

// The key created, or a value is written to or removed from, kept open
// for the next value of the same key.
struct ValueKey {
    HKEY open = NULL;
    const Work* of = NULL;
    HKEY For(const Work& item)
    {
        if (item.path.empty())
            return item.root;
        if (!of || of->root != item.root || of->path != item.path) {
            Close();
            if (RegCreateKeyA(item.root, item.path.c_str(), &open) != ERROR_SUCCESS)
                open = NULL;
            of = &item;
        }
        return open;
    }
    void Close()
    {
        if (open)
            RegCloseKey(open);
        open = NULL;
        of = NULL;
    }
};

}  // namespace

Recording::Recording()
{
    work.clear();
    spent.clear();
    openKeys.clear();
    finalMessageAt = 0;
    for (const HookRow& row : HOOKED)
        installed.push_back({std::unique_ptr<testbed::ImportHook>(
                                 new testbed::ImportHook(row.dll, row.function, row.replacement)),
                             row.function});
}

Recording::~Recording()
{
    while (!installed.empty())
        installed.pop_back();
}

const std::map<std::string, Spent>& SpentByImport()
{
    return spent;
}

double FinalMessageAt()
{
    return finalMessageAt;
}

std::string Summary()
{
    int counts[Work::KINDS] = {};
    for (const Work& item : work)
        ++counts[item.kind];
    std::string text;
    char part[96];
    for (int kind = 0; kind < Work::CONNECT; ++kind)
        if (counts[kind]) {
            wsprintfA(part, "%d %s, ", counts[kind], KIND_NAMES[kind]);
            text += part;
        }
    wsprintfA(part, "%d Program Manager conversations with %d commands", counts[Work::CONNECT],
              counts[Work::EXECUTE]);
    return text + part;
}

double Replay()
{
    double start = Now();
    DWORD instance = 0;
    DdeInitializeA(&instance, NoTransactions, APPCMD_CLIENTONLY, 0);
    HSZ progman = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    HCONV conversation = NULL;
    ValueKey valueKey;
    for (const Work& item : work) {
        if (item.kind < Work::CREATE_KEY || item.kind > Work::DELETE_VALUE)
            valueKey.Close();
        switch (item.kind) {
        case Work::DELETE_FILE:
            DeleteFileA(item.path.c_str());
            break;
        case Work::REMOVE_DIRECTORY:
            RemoveDirectoryA(item.path.c_str());
            break;
        case Work::WRITE_FILE:
            WriteFileDirectly(item);
            break;
        case Work::WRITE_PROFILE:
            WritePrivateProfileStringA(item.name.get(), item.key.get(), item.type ? item.data.c_str() : NULL,
                                       item.path.c_str());
            break;
        case Work::DELETE_KEY:
            RegDeleteKeyA(item.root, item.path.c_str());
            break;
        case Work::CREATE_KEY:
            valueKey.For(item);
            break;
        case Work::SET_VALUE:
            RegSetValueExA(valueKey.For(item), item.name.get(), 0, item.type, (const BYTE*)item.data.data(),
                           (DWORD)item.data.size());
            break;
        case Work::DELETE_VALUE:
            RegDeleteValueA(valueKey.For(item), item.name.get());
            break;
        case Work::CONNECT:
            conversation = DdeConnect(instance, progman, progman, NULL);
            break;
        case Work::EXECUTE:
            DdeClientTransaction((LPBYTE)item.data.data(), (DWORD)item.data.size(), conversation, NULL, CF_TEXT,
                                 XTYP_EXECUTE, 10000, NULL);
            break;
        case Work::DISCONNECT:
            DdeDisconnect(conversation);
            conversation = NULL;
            break;
        case Work::KINDS:
            break;
        }
    }
    valueKey.Close();
    DdeFreeStringHandle(instance, progman);
    DdeUninitialize(instance);
    return Now() - start;
}

}  // namespace uninstall_work
