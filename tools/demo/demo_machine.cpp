// DEMO_MACHINE.EXE, what the demo machine's scripts ask of Windows:
//   boot <flag file> <hardware key>
//                        the session's resident: starts Windows "booted" (the
//                        board in the running hardware tree, the display mode
//                        the system recorded, the programs of the start-up
//                        group), keeps the desktop open and, when a program
//                        ends the session (a restart), writes the flag file
//                        so that the run command boots the machine again
//   icons <seconds>      waits until both tray programs show their icons
//   leftovers <manifest> lists what of the product a footprint manifest named
//                        is still there (FOOTPRINT.EXE's output); none: exit 0
//   shortcut <file> <target>  a real shortcut in place of a laid stand-in
#include "scratch_files.h"
#include "scratch_registry.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <sstream>
#include <string>

namespace {

// The Program Manager group whose items Windows starts at every start.
const char STARTUP_GROUP[] = "ｽﾀｰﾄｱｯﾌﾟ";

std::string FlagFile;

// Windows keeps the mode recorded with CDS_UPDATEREGISTRY across a restart;
// Wine keeps it only as long as the session: the resident carries it over.
const char RECORDED_MODE_KEY[] = "Software\\NrxTestbed\\DemoRecordedMode";
const char* const MODE_FIELDS[] = {"width", "height", "bits"};

void KeepRecordedMode()
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsA(NULL, ENUM_REGISTRY_SETTINGS, &mode))
        return;
    DWORD values[] = {mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel};
    for (int i = 0; i < 3; ++i)
        testreg::WriteDword(HKEY_CURRENT_USER, RECORDED_MODE_KEY, MODE_FIELDS[i], values[i]);
}

// Windows starts in the mode last recorded (a switch that needed the restart).
void StartInRecordedMode()
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    DWORD* fields[] = {&mode.dmPelsWidth, &mode.dmPelsHeight, &mode.dmBitsPerPel};
    for (int i = 0; i < 3; ++i) {
        testreg::Value value = testreg::Read(HKEY_CURRENT_USER, RECORDED_MODE_KEY, MODE_FIELDS[i]);
        if (!value.present || value.data.size() != 4) {
            ChangeDisplaySettingsA(NULL, 0);
            return;
        }
        *fields[i] = *(const DWORD*)value.data.data();
    }
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    ChangeDisplaySettingsA(&mode, CDS_UPDATEREGISTRY);
}

LRESULT CALLBACK SessionWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // The only ways to end a session here are the programs' restarts.
        if (wParam) {
            KeepRecordedMode();
            testfiles::Write(FlagFile, "restart\r\n");
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Every shortcut of the start-up group, opened as the shell opens them.
void StartStartupGroup()
{
    char programs[MAX_PATH] = "";
    SHGetSpecialFolderPathA(NULL, programs, CSIDL_PROGRAMS, FALSE);
    std::string folder = std::string(programs) + "\\" + STARTUP_GROUP;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.lnk").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do
        ShellExecuteA(NULL, "open", (folder + "\\" + found.cFileName).c_str(), NULL, NULL, SW_SHOWNORMAL);
    while (FindNextFileA(search, &found));
    FindClose(search);
}

// HKEY_DYN_DATA lives as long as the session, as on Windows, where the
// Configuration Manager fills it at every start.
void DetectHardware(const char* hardwareKey)
{
    HKEY node;
    if (RegCreateKeyA(HKEY_DYN_DATA, "Config Manager\\Enum\\C29A1000", &node) != ERROR_SUCCESS)
        return;
    RegSetValueExA(node, "HardWareKey", 0, REG_SZ, (const BYTE*)hardwareKey, lstrlenA(hardwareKey) + 1);
    RegCloseKey(node);
}

int Boot(const char* flagFile, const char* hardwareKey)
{
    FlagFile = flagFile;
    DeleteFileA(flagFile);
    DetectHardware(hardwareKey);
    StartInRecordedMode();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = SessionWindowProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "NrxDemoSession";
    RegisterClassA(&windowClass);
    CreateWindowExA(0, windowClass.lpszClassName, "demo session", WS_POPUP, 0, 0, 1, 1, NULL, NULL,
                    windowClass.hInstance, NULL);
    StartStartupGroup();
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}

bool IconShown(const char* className, UINT id)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = 88;
    data.hWnd = FindWindowA(className, NULL);
    data.uID = id;
    return data.hWnd && Shell_NotifyIconA(NIM_MODIFY, &data);
}

int Icons(int seconds)
{
    bool resolva = false, pivoter = false;
    for (DWORD start = GetTickCount(); GetTickCount() - start < (DWORD)seconds * 1000; Sleep(200)) {
        resolva = IconShown("NRXTOOLWND", 11);
        pivoter = IconShown("PivoterMainClass", 106);
        if (resolva && pivoter)
            break;
    }
    std::printf("NRXVGCHG icon: %s\nPIVOTER icon: %s\n", resolva ? "shown" : "missing",
                pivoter ? "shown" : "missing");
    return resolva && pivoter ? 0 : 1;
}

HKEY RootOf(const std::string& path, std::string* key)
{
    static const struct {
        const char* name;
        HKEY root;
    } ROOTS[] = {{"HKLM\\", HKEY_LOCAL_MACHINE}, {"HKCU\\", HKEY_CURRENT_USER}, {"HKDD\\", HKEY_DYN_DATA}};
    for (const auto& root : ROOTS)
        if (path.compare(0, 5, root.name) == 0) {
            *key = path.substr(5);
            return root.root;
        }
    return NULL;
}

bool Present(const std::string& kind, const std::string& where)
{
    if (kind == "file" || kind == "folder-if-empty")
        return GetFileAttributesA(where.c_str()) != INVALID_FILE_ATTRIBUTES;
    std::string path = where, name;
    size_t separator = where.find(" : ");
    bool value = kind == "value";
    if (value && separator != std::string::npos) {
        path = where.substr(0, separator);
        name = where.substr(separator + 3);
    }
    std::string key;
    HKEY root = RootOf(path, &key), opened;
    if (!root || RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    bool present = !value || RegQueryValueExA(opened, name.c_str(), NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
    RegCloseKey(opened);
    return present;
}

// The uninstaller registers the standard VGA display in the board's own
// class key so that Windows still starts: that key stays, with new contents.
bool HoldsStandardDisplay(const std::string& where)
{
    std::string key;
    HKEY root = RootOf(where, &key), opened;
    if (!root || RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    char inf[32] = "";
    DWORD size = sizeof(inf) - 1;
    RegQueryValueExA(opened, "InfPath", NULL, NULL, (BYTE*)inf, &size);
    RegCloseKey(opened);
    return lstrcmpiA(inf, "MSDISP.INF") == 0;
}

// Lines "<kind>\t<path>[ : <value>]\t<tags>"; pending lines and the other
// programs' items are not the product's.
int Leftovers(const char* manifest)
{
    bool found = false;
    std::istringstream lines(testfiles::Read(manifest, &found));
    if (!found) {
        std::fprintf(stderr, "leftovers: cannot read %s\n", manifest);
        return 2;
    }
    int left = 0;
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t first = line.find('\t'), second = line.rfind('\t');
        if (first == std::string::npos || second == first)
            continue;
        std::string kind = line.substr(0, first), where = line.substr(first + 1, second - first - 1);
        std::string tags = line.substr(second + 1);
        if (kind == "pending" || tags == "other" || !Present(kind, where))
            continue;
        if (kind == "key" && HoldsStandardDisplay(where)) {
            std::printf("now the standard display: %s\n", where.c_str());
            continue;
        }
        std::printf("left behind: %s %s (%s)\n", kind.c_str(), where.c_str(), tags.c_str());
        ++left;
    }
    return left == 0 ? 0 : 1;
}

int Shortcut(const char* file, const char* target)
{
    CoInitialize(NULL);
    IShellLinkA* link = NULL;
    bool saved = false;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void**)&link))) {
        link->SetPath(target);
        IPersistFile* persisted = NULL;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void**)&persisted))) {
            WCHAR wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, file, -1, wide, MAX_PATH);
            saved = SUCCEEDED(persisted->Save(wide, TRUE));
            persisted->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return saved ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "boot" && argc == 4)
        return Boot(argv[2], argv[3]);
    if (command == "icons" && argc == 3)
        return Icons(atoi(argv[2]));
    if (command == "leftovers" && argc == 3)
        return Leftovers(argv[2]);
    if (command == "shortcut" && argc == 4)
        return Shortcut(argv[2], argv[3]);
    std::fprintf(stderr, "usage: demo_machine boot <flag file> <hardware key> | icons <seconds> | leftovers <manifest> | "
                         "shortcut <file> <target>\n");
    return 2;
}
