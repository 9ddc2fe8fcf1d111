// The uninstall sequence run in-process, below the program's entry point:
// the footprint builder lays installs down on scratch registry roots and on
// the scratch drive S: (Windows directory S:\WINDOWS), and the dialog's OK
// message runs the sequence. File deletions, directory removals, key
// deletions and creations and the DDE commands are logged in order (the
// commands go to no Program Manager); the test double of NRXCHG32.DLL logs
// RestartWindows. The prefix's SYSTEM.INI, which the display restore
// writes, is put back after every test.
#ifndef TESTS_UNINSTALL_SEQUENCE_FIXTURE_H
#define TESTS_UNINSTALL_SEQUENCE_FIXTURE_H

#include "box_answerer.h"
#include "footprint.h"
#include "import_hook.h"
#include "resource.h"
#include "scratch_files.h"
#include "scratch_registry.h"
#include "selection_dialog.h"
#include "startup.h"
#include "uninstall_scratch.h"
#include "uninstaller_state.h"

#include <gtest/gtest.h>

#include <ddeml.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using uninstall_scratch::DRIVE;
using uninstall_scratch::SYSTEM;
using uninstall_scratch::WINDOWS;
const char PENDING[] = "S:\\WINDOWS\\wininit.ini";
const char RESTART_QUESTION[] =
    "ｱﾝｲﾝｽﾄｰﾙが終了しました。\nｱﾝｲﾝｽﾄｰﾙを完了するには再起動が必要です。\n再起動しますか？";
const char FINISHED[] = "ｱﾝｲﾝｽﾄｰﾙが終了しました。";

// What the sequence did, in order: "delete <path>", "rmdir <path>",
// "key HKLM\<path>", "create <key>", "dde <command>", "start <program>".
std::vector<std::string> events;
bool progmanAnswers = true;
// A Program Manager that takes every command and answers none, as the
// client sees it once its time limit has passed; and the limits it set.
bool progmanTimesOut = false;
std::vector<DWORD> ddeTimeouts;
// Input that reaches the dialog while the sequence waits for Program
// Manager's first answer (its DDE calls take the dialog's messages meanwhile).
std::function<void(HWND dialog)> duringFirstCommand;
HWND runningDialog = NULL;

struct Hooks {
    std::vector<std::unique_ptr<testbed::ImportHook>> hooks;
    template <typename Function>
    void Add(const char* dll, const char* name, Function replacement)
    {
        hooks.emplace_back(new testbed::ImportHook(dll, name, (void*)replacement));
        EXPECT_TRUE(hooks.back()->installed()) << name;
    }
    template <typename Function>
    Function Original(size_t i)
    {
        return hooks[i]->original<Function>();
    }
};
Hooks* active;

BOOL WINAPI LogDeleteFile(LPCSTR path)
{
    events.push_back(std::string("delete ") + path);
    return active->Original<BOOL(WINAPI*)(LPCSTR)>(0)(path);
}

BOOL WINAPI LogRemoveDirectory(LPCSTR path)
{
    events.push_back(std::string("rmdir ") + path);
    return active->Original<BOOL(WINAPI*)(LPCSTR)>(1)(path);
}

LONG WINAPI LogDeleteKey(HKEY root, LPCSTR path)
{
    events.push_back(std::string(root == HKEY_CURRENT_USER ? "key HKCU\\" : "key HKLM\\") + path);
    return active->Original<LONG(WINAPI*)(HKEY, LPCSTR)>(2)(root, path);
}

HCONV WINAPI FakeConnect(DWORD, HSZ, HSZ, PCONVCONTEXT)
{
    return progmanAnswers ? (HCONV)0x5150 : NULL;
}

HDDEDATA WINAPI LogTransaction(LPBYTE data, DWORD, HCONV, HSZ, UINT, UINT, DWORD timeout, LPDWORD)
{
    events.push_back(std::string("dde ") + (const char*)data);
    ddeTimeouts.push_back(timeout);
    if (duringFirstCommand) {
        auto input = duringFirstCommand;
        duringFirstCommand = nullptr;
        input(runningDialog);
    }
    return progmanTimesOut ? NULL : (HDDEDATA)TRUE;
}

BOOL WINAPI FakeDisconnect(HCONV)
{
    return TRUE;
}

LONG WINAPI LogCreateKey(HKEY root, LPCSTR path, PHKEY key)
{
    events.push_back(std::string("create ") + path);
    return active->Original<LONG(WINAPI*)(HKEY, LPCSTR, PHKEY)>(7)(root, path, key);
}

UINT WINAPI LogWinExec(LPCSTR program, UINT)
{
    events.push_back(std::string("start ") + program);
    return ERROR_FILE_NOT_FOUND;
}

std::vector<std::string> EventsOf(const std::string& kind)
{
    std::vector<std::string> found;
    for (const std::string& event : events)
        if (event.compare(0, kind.size() + 1, kind + " ") == 0)
            found.push_back(event.substr(kind.size() + 1));
    return found;
}

size_t IndexOf(const std::string& event)
{
    return std::find(events.begin(), events.end(), event) - events.begin();
}

const std::vector<testreg::Subtree> SCRATCH_ROOTS = {
    {HKEY_LOCAL_MACHINE, "HKLM", ""}, {HKEY_CURRENT_USER, "HKCU", ""}, {HKEY_DYN_DATA, "HKDD", ""}};

class UninstallSequence : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(testfiles::Exists(DRIVE)) << "no scratch drive S: in the prefix";
        Clean();
        char directory[MAX_PATH];
        GetWindowsDirectoryA(directory, sizeof(directory));
        systemIni = std::string(directory) + "\\SYSTEM.INI";
        systemIniBytes = testfiles::Read(systemIni, &hadSystemIni);
        restartLog = std::string(directory) + "\\TEMP\\nrxdel_restart_" + std::to_string(GetCurrentProcessId());
        DeleteFileA(restartLog.c_str());
        SetEnvironmentVariableA("NRXCHG32_LOG", restartLog.c_str());
        uninstall_scratch::StartAsRelocatedCopy();
        events.clear();
        progmanAnswers = true;
        progmanTimesOut = false;
        ddeTimeouts.clear();
        places = {WINDOWS, SYSTEM, uninstall_scratch::INF, DRIVE, ""};
    }
    void TearDown() override
    {
        Clean();
        if (hadSystemIni)
            testfiles::Write(systemIni, systemIniBytes);
        WritePrivateProfileStringA(NULL, NULL, NULL, "SYSTEM.INI");
        SetEnvironmentVariableA("NRXCHG32_LOG", NULL);
        DeleteFileA(restartLog.c_str());
    }
    static void Clean() { uninstall_scratch::Empty(); }
    // Lays `text` down, with the relocated copy in the Windows directory.
    void Lay(const std::string& text)
    {
        footprint::Description description;
        std::string error;
        ASSERT_TRUE(footprint::Parse(text, &description, &error)) << error;
        laid = footprint::Lay(description, places);
        ASSERT_TRUE(testfiles::Write(std::string(WINDOWS) + "\\NRXDEL.EXE", "relocated copy"));
    }
    // The relocated copy started from `bootDir` (empty: whatever "BootDir"
    // holds) and the user ticked the halves and pressed OK; `answer` goes to
    // the final message.
    void Run(bool driverHalf, bool utilityHalf, const std::string& bootDir, int machineType = MACHINE_PCAT,
             int answer = IDOK)
    {
        if (!bootDir.empty())
            testreg::WriteString(HKEY_LOCAL_MACHINE, INSTALL_KEY, "BootDir", bootDir);
        IdentifyBoard();
        Uninstaller.machineType = machineType;
        HWND dialog = CreateDialogParamA(Uninstaller.instance, MAKEINTRESOURCEA(IDD_SELECTION), NULL,
                                         SelectionDialogProc, 0);
        ASSERT_TRUE(dialog);
        runningDialog = dialog;
        CheckDlgButton(dialog, IDC_UNINSTALL_DRIVER, driverHalf ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_UNINSTALL_UTILITY, utilityHalf ? BST_CHECKED : BST_UNCHECKED);
        {
            driver::BoxAnswerer answerer;
            answerer.Queue(answer);
            Hooks hooks;
            active = &hooks;
            hooks.Add("KERNEL32.dll", "DeleteFileA", LogDeleteFile);
            hooks.Add("KERNEL32.dll", "RemoveDirectoryA", LogRemoveDirectory);
            hooks.Add("ADVAPI32.dll", "RegDeleteKeyA", LogDeleteKey);
            hooks.Add("USER32.dll", "DdeConnect", FakeConnect);
            hooks.Add("USER32.dll", "DdeClientTransaction", LogTransaction);
            hooks.Add("USER32.dll", "DdeDisconnect", FakeDisconnect);
            hooks.Add("KERNEL32.dll", "WinExec", LogWinExec);
            hooks.Add("ADVAPI32.dll", "RegCreateKeyA", LogCreateKey);
            SendMessageA(dialog, WM_RUN_UNINSTALL, 0, 0);
            SendMessageA(dialog, WM_RUN_UNINSTALL, 0, 0);  // a second OK starts nothing
            active = NULL;
            duringFirstCommand = nullptr;
            boxes = answerer.Seen();
        }
        DestroyWindow(dialog);
    }
    std::string InstallDir(const std::string& tag) { return laid.installDirs[tag]; }
    // The test double writes its log in text mode.
    bool Restarted() { return testfiles::Read(restartLog) == "RestartWindows\r\n"; }
    std::string FinalMessage()
    {
        return boxes.size() == 1 ? boxes[0].text : "(" + std::to_string(boxes.size()) + " boxes)";
    }

    footprint::Places places;
    footprint::Footprint laid;
    std::vector<driver::SeenBox> boxes;
    testreg::ScratchRegistry registry;
    std::string systemIni, systemIniBytes, restartLog;
    bool hadSystemIni = false;
};

std::set<std::string> AllBut(const footprint::Footprint& laid, const std::set<std::string>& kept)
{
    std::set<std::string> removed;
    for (const std::string& tag : footprint::AllTags(laid))
        if (!kept.count(tag))
            removed.insert(tag);
    return removed;
}

}  // namespace

#endif
