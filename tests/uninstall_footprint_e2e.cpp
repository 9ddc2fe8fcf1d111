// NRXDEL.EXE end to end on the prefix's own registry and C: drive: the
// footprint builder lays installs down (with Program Manager items through
// Wine's DDE server, the built NRXDEL.EXE in the install directories and the
// test double of NRXCHG32.DLL as the installed library), the program is
// started from the install directory, moves itself into C:\windows, the test
// ticks the halves, presses OK and answers the final message; then the
// registry subtrees and folders it may touch are compared whole with the
// footprint minus what the run removes, plus the standard display, the
// pending deletions of the files in use and the VGA driver put back. Every
// key, file and line is put back as it was afterwards.
#include "box_answerer.h"
#include "driver.h"
#include "file_tree.h"
#include "footprint.h"
#include "group_windows.h"
#include "history_check.h"
#include "registry_tree.h"
#include "scratch_files.h"
#include "standard_display_expectation.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using namespace expectation;

const char BUILT[] = WINE_BUILD_DIR "\\bin\\NRXDEL.EXE";
const char DOUBLE[] = WINE_BUILD_DIR "\\tests\\NRXCHG32.DLL";
const char RESTART_LOG[] = WINE_BUILD_DIR "\\tests\\uninstall_footprint_e2e.log";
const char TITLE[] = "ｱﾝｲﾝｽﾄｰﾙ";
const char RESTART_QUESTION[] =
    "ｱﾝｲﾝｽﾄｰﾙが終了しました。\nｱﾝｲﾝｽﾄｰﾙを完了するには再起動が必要です。\n再起動しますか？";
const int CANCEL_DIALOG = 0;

const std::vector<testreg::Subtree> SUBTREES = {
    {HKEY_LOCAL_MACHINE, "HKLM", "SOFTWARE\\NORIX"},
    {HKEY_LOCAL_MACHINE, "HKLM", "SOFTWARE\\Classes\\CLSID"},
    {HKEY_LOCAL_MACHINE, "HKLM", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Controls Folder"},
    {HKEY_LOCAL_MACHINE, "HKLM", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OpenGLDrivers"},
    {HKEY_LOCAL_MACHINE, "HKLM", "Software\\OtherSoft"},
    {HKEY_LOCAL_MACHINE, "HKLM", "System\\CurrentControlSet\\Services"},
    {HKEY_LOCAL_MACHINE, "HKLM", "Enum"},
    {HKEY_LOCAL_MACHINE, "HKLM", "Config"},
    {HKEY_CURRENT_USER, "HKCU", "Software\\NORIX"},
    {HKEY_CURRENT_USER, "HKCU", "Software\\OtherSoft"},
    {HKEY_DYN_DATA, "HKDD", "Config Manager"},
};

// The folders the program may touch; the drive root only with its files, so
// that other tests' scratch folders there are left out.
struct Folder {
    std::string path;
    bool descend;
};

class UninstallFootprint : public ::testing::Test {
protected:
    void SetUp() override
    {
        places = footprint::MachinePlaces();
        folders = {{places.driveRoot, false}, {places.windows, true}, {places.driveRoot + "Program Files", true},
                   {places.driveRoot + "OTHERAPP", true}, {places.programs, true}};
        pristineRegistry = testreg::DumpSubtrees(SUBTREES);
        for (const Folder& folder : folders)
            pristineFiles.push_back(Dump(folder));
        DeleteFileA(RESTART_LOG);
        SetEnvironmentVariableA("NRXCHG32_LOG", RESTART_LOG);
    }
    void TearDown() override
    {
        HWND left = FindWindowA("#32770", TITLE);
        if (left)
            PostMessageA(left, WM_COMMAND, IDCANCEL, 0);
        if (process) {
            WaitForSingleObject(process, 10000);
            CloseHandle(process);
        }
        for (const std::string& group : laid.groups)
            testbed::CloseGroupWindows(group, 0);
        testreg::RestoreSubtrees(SUBTREES, pristineRegistry);
        for (size_t i = 0; i < folders.size(); ++i)
            EXPECT_TRUE(testfiles::RestoreFiles(folders[i].path, pristineFiles[i], Skipped(), folders[i].descend));
        WritePrivateProfileStringA(NULL, NULL, NULL, "SYSTEM.INI");
        SetEnvironmentVariableA("NRXCHG32_LOG", NULL);
        DeleteFileA(RESTART_LOG);
    }
    std::vector<std::string> Skipped() const { return {places.windows + "\\temp"}; }
    testfiles::FileTree Dump(const Folder& folder) const
    {
        return testfiles::DumpFiles(folder.path, Skipped(), folder.descend);
    }
    testfiles::FileTree DumpAll() const
    {
        testfiles::FileTree all;
        for (const Folder& folder : folders)
            for (const testfiles::FileEntry& entry : Dump(folder))
                testfiles::Put(&all, entry);
        return all;
    }
    std::string SystemFile(const char* name) const { return places.system + "\\" + name; }

    footprint::Places places;
    std::vector<Folder> folders;
    testreg::Tree pristineRegistry;
    std::vector<testfiles::FileTree> pristineFiles;
    footprint::Footprint laid;
    HANDLE process = NULL;
};

std::set<std::string> AllBut(const footprint::Footprint& laid, std::set<std::string> kept)
{
    kept.insert("other");
    std::set<std::string> removed;
    for (const std::string& tag : footprint::AllTags(laid))
        if (!kept.count(tag))
            removed.insert(tag);
    return removed;
}

// The entry of `path` in `tree`.
testfiles::FileEntry EntryOf(const testfiles::FileTree& tree, const std::string& path)
{
    for (const testfiles::FileEntry& entry : tree)
        if (testfiles::SamePath(entry.path, path))
            return entry;
    ADD_FAILURE() << path << " is not in the tree";
    return testfiles::FileEntry();
}

// `ini` with the value of `key` (in whatever section) replaced.
std::string ReplaceValue(std::string ini, const std::string& key, const std::string& value)
{
    size_t at = ini.find("\n" + key + "=");
    if (at == std::string::npos)
        return ini;
    size_t start = at + key.size() + 2, end = ini.find("\r\n", start);
    return ini.replace(start, end - start, value);
}

TEST_F(UninstallFootprint, RemovesExactlyTheChosenInstallsAndRestartsOnlyWhenTheUserAgrees)
{
    struct Case {
        const char* what;
        const char* history;
        const char* startFrom;  // the install whose NRXDEL.EXE the user starts
        bool driverHalf, utilityHalf;
        int answer;  // to the final message; CANCEL_DIALOG: the dialog is cancelled
        std::set<std::string> kept;
        std::vector<std::pair<std::string, size_t>> shownGroups;  // windows NRXDEL's ShowGroup opens
        bool libraryDeferred;  // the loaded NRXCHG32.DLL is removed at the next start
    } cases[] = {
        {"PC/AT QX-S R2, both halves", "driver QX-S R2\nutility QX-S R2\n", "driver 00", true, true, IDOK, {},
         {{"ｽﾀｰﾄｱｯﾌﾟ", 1}, {"ﾉﾘｯｸｽ表示ソフト QX-S R2", 1}}, true},
        {"QX-S4K-A with its LCD components, both halves, restart declined", "driver QX-S4K-A\nutility QX-S4K-A\n",
         "driver 00", true, true, IDCANCEL, {}, {{"ｽﾀｰﾄｱｯﾌﾟ", 2}, {"ﾉﾘｯｸｽ表示ソフト QX-S4K-A", 1}}, true},
        {"QZ-M after two earlier installs of it and one of QX-T, driver half",
         "driver QZ-M\ndriver QX-T\ndriver QZ-M\ndriver QZ-M\n", "driver 03", true, false, IDOK,
         {"driver 01", "driver 01 shared", "board QX-T", "pending board QX-T", "driver records", "display records",
          "shared dll"},
         {{"ﾉﾘｯｸｽ表示ソフト QZ-M", 3}}, false},
        {"utility half with the driver still installed", "driver QX-S R2\nutility QX-S R2\n", "utility 00", false,
         true, IDOK,
         {"driver 00", "driver 00 shared", "utility 00 shared", "board QX-S R2", "pending board QX-S R2",
          "driver common", "driver records", "display records", "shared dll"},
         {{"ｽﾀｰﾄｱｯﾌﾟ", 1}}, false},
        {"cancelled", "driver QX-S R2\nutility QX-S R2\n", "driver 00", false, false, CANCEL_DIALOG,
         {}, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        footprint::Description description;
        std::string error;
        ASSERT_TRUE(footprint::Parse(std::string(c.history) + "others\nsource NRXDEL.EXE " + BUILT +
                                         "\nsource NRXCHG32.DLL " + DOUBLE + "\n",
                                     &description, &error))
            << error;
        laid = footprint::Lay(description, places);
        // The install folder holds the release's README.TXT, which its "Read Me" item opens.
        bool readmeBuilt = false;
        EXPECT_EQ(testfiles::Read(WINE_BUILD_DIR "\\bin\\README.TXT", &readmeBuilt),
                  testfiles::Read(laid.installDirs[c.startFrom] + "\\README.TXT"));
        EXPECT_TRUE(readmeBuilt);
        const testreg::Tree registryBefore = testreg::DumpSubtrees(SUBTREES);
        const testfiles::FileTree filesBefore = DumpAll();
        const std::string pendingFile = places.windows + "\\wininit.ini", systemIni = places.windows + "\\system.ini";
        const std::string pendingBefore = testfiles::Read(pendingFile), systemIniBefore = testfiles::Read(systemIni);
        const std::string vgaSaved = testfiles::Read(SystemFile("VGA.QZN"));

        driver::Program first(laid.installDirs[c.startFrom] + "\\NRXDEL.EXE");
        ASSERT_TRUE(first.started());
        EXPECT_EQ(1, first.WaitForExit());
        HWND dialog = NULL;
        ASSERT_TRUE(driver::WaitFor([&] { return (dialog = FindWindowA("#32770", TITLE)) != NULL; }));
        DWORD processId = 0;
        GetWindowThreadProcessId(dialog, &processId);
        process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
        std::vector<driver::SeenBox> boxes;
        {
            driver::BoxAnswerer answerer(processId);
            answerer.Queue({driver::HOLD, c.answer});  // the dialog is played below
            ASSERT_TRUE(answerer.WaitForBoxes(1));
            if (c.driverHalf)
                SendMessageA(GetDlgItem(dialog, 1000), BM_CLICK, 0, 0);
            if (c.utilityHalf)
                SendMessageA(GetDlgItem(dialog, 1001), BM_CLICK, 0, 0);
            driver::PostCommand(dialog, c.answer == CANCEL_DIALOG ? IDCANCEL : IDOK);
            EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, 30000));
            boxes = answerer.Seen();
        }
        DWORD exitCode = 0;
        GetExitCodeProcess(process, &exitCode);
        EXPECT_EQ(1u, exitCode);
        const std::string pendingAfter = testfiles::Read(pendingFile);  // before any server could carry it out
        // Explorer opens a window for each ShowGroup; now and then one never comes.
        for (const auto& group : c.shownGroups)
            testbed::CloseGroupWindows(group.first, group.second);

        bool ran = c.answer != CANCEL_DIALOG;
        ASSERT_EQ(ran ? 2u : 1u, boxes.size());
        if (ran) {
            EXPECT_EQ(RESTART_QUESTION, boxes[1].text);
            EXPECT_EQ(dialog, boxes[1].owner);
        }
        EXPECT_EQ(c.answer == IDOK ? "RestartWindows\r\n" : "", testfiles::Read(RESTART_LOG));

        // What is left: the footprint without what the run removed, the copy
        // the first run made, and the standard display in place of the board's.
        std::set<std::string> removed = ran ? AllBut(laid, c.kept) : std::set<std::string>();
        testreg::Tree expectedRegistry = registryBefore;
        testfiles::FileTree expectedFiles = filesBefore;
        footprint::Remove(laid, removed, &expectedRegistry, &expectedFiles);
        testfiles::Put(&expectedFiles, testfiles::FileOf(places.windows + "\\NRXDEL.EXE", testfiles::Read(BUILT)));
        std::string expectedPending = pendingBefore;
        if (c.driverHalf) {
            expectedRegistry = testreg::WithinSubtrees(
                SUBTREES, Expected(expectedRegistry,
                                   RegistrationWrites(VGA, "0000", "0000") + SettingsWrites(VGA),
                                   RegistrationKeys(VGA, "0000"), true));
            testfiles::Put(&expectedFiles, testfiles::FileOf(systemIni, ReplaceValue(systemIniBefore, "display.drv",
                                                                                     VGA.description.text)));
            if (!vgaSaved.empty())
                testfiles::Put(&expectedFiles, testfiles::FileOf(SystemFile("VGA.DRV"), vgaSaved));
        }
        if (ran) {
            expectedPending = footprint::RemovePendingLines(laid, removed, pendingBefore);
            if (c.libraryDeferred) {
                expectedPending += "NUL=" + SystemFile("NRXCHG32.DLL") + "\r\n";
                testfiles::Put(&expectedFiles, EntryOf(filesBefore, SystemFile("NRXCHG32.DLL")));
            }
            expectedPending += "NUL=" + places.windows + "\\NRXDEL.EXE\r\n";
        }
        testfiles::Put(&expectedFiles, testfiles::FileOf(pendingFile, expectedPending));
        testreg::Tree registryAfter = testreg::DumpSubtrees(SUBTREES);
        EXPECT_TRUE(expectedRegistry == registryAfter) << testreg::Difference(expectedRegistry, registryAfter);
        testfiles::FileTree filesAfter = DumpAll();
        testfiles::Put(&filesAfter, testfiles::FileOf(pendingFile, pendingAfter));
        EXPECT_TRUE(expectedFiles == filesAfter) << testfiles::Difference(expectedFiles, filesAfter);

        CloseHandle(process);
        process = NULL;
        TearDown();
        SetUp();
    }
}

// The history the test command plays end to end: three driver installs of
// one board in one folder, three utility installs in folders of their own;
// the driver half leaves the utilities their files and the library their
// NRXDEL.EXE binds, which then starts.
const unsigned FIRST_HISTORY = 2;

// Generated histories (history_check.h) played on the prefix with the real
// program: its relocation, its dialog ticked and answered, with input after
// OK, files held open by another process, Wine's Program Manager.
class GeneratedHistories : public UninstallFootprint, public history::Machine {
protected:
    footprint::Places Where() override { return places; }
    std::string sources() override
    {
        // The library a pending rename brings in is one too.
        return std::string("source NRXDEL.EXE ") + BUILT + "\nsource NRXCHG32.DLL " + DOUBLE +
               "\nsource NRXCHG32.NRX " + DOUBLE + "\n";
    }
    void Reset() override
    {
        testbed::CloseEveryGroupWindow();
        testreg::RestoreSubtrees(SUBTREES, pristineRegistry);
        for (size_t i = 0; i < folders.size(); ++i)
            testfiles::RestoreFiles(folders[i].path, pristineFiles[i], Skipped(), folders[i].descend);
    }
    history::Snapshot Dump() override
    {
        history::Snapshot snapshot;
        snapshot.registry = testreg::DumpSubtrees(SUBTREES);
        for (const testfiles::FileEntry& entry : DumpAll()) {
            std::string name = testfiles::LowerPath(entry.path.substr(entry.path.find_last_of('\\') + 1));
            if (name.compare(0, 8, "wininit.") != 0 && name != "system.ini")
                snapshot.files.push_back(entry);
        }
        return snapshot;
    }
    testreg::Tree Visible(const testreg::Tree& registry) override
    {
        return testreg::WithinSubtrees(SUBTREES, registry);
    }
    history::RunOutcome Uninstall(const history::Run& run, const std::string& installDir, int) override
    {
        std::vector<HANDLE> held;
        for (const std::string& path : run.held)
            held.push_back(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                       OPEN_EXISTING, 0, NULL));
        history::RunOutcome outcome = Play(run, installDir);
        for (HANDLE handle : held)
            if (handle != INVALID_HANDLE_VALUE)
                CloseHandle(handle);
        testbed::CloseEveryGroupWindow();
        return outcome;
    }
    // The first process moves the program, its copy shows the dialog.
    history::RunOutcome Play(const history::Run& run, const std::string& installDir)
    {
        history::RunOutcome outcome;
        driver::Program first(installDir + "\\NRXDEL.EXE");
        HWND dialog = NULL;
        int exitCode = first.started() ? first.WaitForExit() : -2;
        if (exitCode != 1 || !driver::WaitFor([&] { return (dialog = FindWindowA("#32770", TITLE)) != NULL; })) {
            outcome.failure = "the NRXDEL.EXE of " + installDir + " did not start its copy (exit code " +
                              std::to_string(exitCode) + ")";
            return outcome;
        }
        DWORD processId = 0;
        GetWindowThreadProcessId(dialog, &processId);
        HANDLE copy = OpenProcess(SYNCHRONIZE, FALSE, processId);
        driver::BoxAnswerer answerer(processId);
        answerer.Queue({driver::HOLD, IDOK});
        answerer.WaitForBoxes(1);
        if (run.driverHalf)
            SendMessageA(GetDlgItem(dialog, 1000), BM_CLICK, 0, 0);
        if (run.utilityHalf)
            SendMessageA(GetDlgItem(dialog, 1001), BM_CLICK, 0, 0);
        driver::PostCommand(dialog, IDOK);
        // The user's next click, queued before the run has begun.
        static const int CLICKED[] = {0, IDCANCEL, 1000, 1001};
        if (run.click == history::CANCEL_CLICK)
            driver::PostCommand(dialog, IDCANCEL);
        else if (run.click)
            PostMessageA(GetDlgItem(dialog, CLICKED[run.click]), BM_CLICK, 0, 0);
        if (WaitForSingleObject(copy, 30000) != WAIT_OBJECT_0)
            outcome.failure = "the copy of NRXDEL.EXE did not end";
        CloseHandle(copy);
        outcome.messages = (int)answerer.Seen().size() - 1;
        return outcome;
    }
};

TEST_F(GeneratedHistories, EveryRunOfTheRealProgramKeepsWhatStaysAndLeavesNothingOfWhatGoes)
{
    for (const std::string& failed :
         history::PlayAndPrint(*this, history::Setting("NRX_HISTORY_SEED", FIRST_HISTORY),
                               history::Setting("NRX_E2E_HISTORIES", 1), false, "end-to-end"))
        ADD_FAILURE() << failed;
}

}  // namespace
