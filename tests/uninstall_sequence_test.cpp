// The uninstall sequence in-process, below the program's entry point (the
// fixture lays the footprints and logs what the run does): the whole
// registry and drive are compared with the footprint minus what the run
// removes plus the standard display it registers.
#include "standard_display_expectation.h"
#include "uninstall_sequence_fixture.h"

namespace {

using namespace expectation;

TEST_F(UninstallSequence, RemovesExactlyTheFootprintOfTheChosenInstallsAndRegistersAStandardDisplay)
{
    const std::string r2 = "S:\\NORIX\\QX-S R2 ";
    // The utility in a folder and group of its own, named after the board.
    const std::string apart = "driver QX-S R2\nutility QX-S R2; dir=S:\\NORIX\\ﾚｿﾞﾙｳﾞｧ QX-S R2; folder=ﾉﾘｯｸｽ ﾚｿﾞﾙｳﾞｧ\nothers\n";
    const std::set<std::string> driverKept = {"other", "driver 00", "driver 00 shared", "board QX-S R2",
                                              "pending board QX-S R2", "driver common", "driver records",
                                              "display records", "shared dll"};
    const std::vector<std::string> startUp = {"[ShowGroup(ｽﾀｰﾄｱｯﾌﾟ,1)]", "[DeleteItem(ﾚｿﾞﾙｳﾞｧ)]"};
    const std::vector<std::string> utilityGroup = {"[ShowGroup(ﾉﾘｯｸｽ ﾚｿﾞﾙｳﾞｧ,1)]", "[DeleteItem(ｱﾝｲﾝｽﾄｰﾗ)]",
                                                   "[DeleteItem(Read Me)]"};
    const std::vector<std::string> driverGroup = {"[ShowGroup(ﾉﾘｯｸｽ表示ソフト QX-S R2,1)]", "[DeleteItem(ｱﾝｲﾝｽﾄｰﾗ)]",
                                                  "[DeleteItem(Read Me)]"};
    // Full lists: the last value of each ("19", "9") must be read too.
    auto fullList = [](footprint::Kind kind, size_t length) {
        std::vector<std::string> files = footprint::UsualFiles(kind, "QX-S R2");
        std::string list = "; files=";
        for (size_t i = 0; i < length; ++i)
            list += (i ? "," : "") + (i < files.size() ? files[i] : "PART" + std::to_string(i) + ".DLL");
        return list;
    };
    struct Case {
        const char* what;
        std::string description;
        int machineType;
        bool driverHalf, utilityHalf;
        const char* bootInstall;
        std::set<std::string> kept;
        const ExpectedProfile* profile;  // none when the driver half does not run
        const char* classInstance;
        std::vector<std::string> commands;
        std::function<void(HWND)> afterOk;  // input while Program Manager answers
    } cases[] = {
        {"PC-98, QX-S R2, both halves, full file lists",
         "machine PC98\ndriver QX-S R2" + fullList(footprint::DRIVER, 20) + "\nutility QX-S R2" +
             fullList(footprint::UTILITY, 10) + "\nothers\n",
         MACHINE_PC98,
         true, true, "driver 00", {"other"}, &PC98, "0000",
         {"[ShowGroup(ｽﾀｰﾄｱｯﾌﾟ,1)]", "[DeleteItem(ﾚｿﾞﾙｳﾞｧ)]", "[ShowGroup(ﾉﾘｯｸｽ表示ソフト QX-S R2,1)]",
          "[DeleteItem(ｱﾝｲﾝｽﾄｰﾗ)]", "[DeleteItem(Read Me)]"}},
        {"Counter 03, started from 02: 02 and the earlier 00 of its board go, 01 and 03 stay",
         "driver QX-S R2\ndriver QX-T\ndriver QX-S R2; dir=" + r2 + "B; folder=R2 B\ndriver QX-S R2; dir=" + r2 +
             "C; folder=R2 C\nothers\n",
         MACHINE_PCAT, true, false, "driver 02",
         {"other", "driver 01", "driver 01 shared", "driver 03", "driver 03 shared", "board QX-T",
          "pending board QX-T", "driver records", "display records", "shared dll"},
         &VGA, "0000",
         {"[ShowGroup(R2 B,1)]", "[DeleteItem(ｱﾝｲﾝｽﾄｰﾗ)]", "[DeleteItem(Read Me)]",
          "[ShowGroup(ﾉﾘｯｸｽ表示ソフト QX-S R2,1)]", "[DeleteItem(ｱﾝｲﾝｽﾄｰﾗ)]", "[DeleteItem(Read Me)]"}},
        {"utility half listing NRXCHG32.DLL while the driver stays: the library stays",
         "driver QX-S R2\nutility QX-S R2; files=NRXVGCHG.HLP,NRXVGCHG.CNT,NRXCHG32.DLL\nothers\n", MACHINE_PCAT,
         false, true, "utility 00", driverKept, NULL, "", startUp},
        {"both halves, the utility apart: nothing of either is left", apart, MACHINE_PCAT, true, true, "driver 00",
         {"other"}, &VGA, "0000", startUp + utilityGroup + driverGroup},
        {"driver half, the utility apart stays: the driver's folder and items go", apart, MACHINE_PCAT, true, false,
         "driver 00",
         {"other", "utility 00", "utility 00 files", "utility 00 shared", "utility common", "pending utility",
          "utility records", "display records", "shared dll"},
         &VGA, "0000", driverGroup},
        {"both halves from the utility apart: no driver install there, so nothing of the driver goes", apart,
         MACHINE_PCAT, true, true, "utility 00", driverKept, NULL, "", startUp + utilityGroup},
        {"ｷｬﾝｾﾙ and the driver's box clicked after OK change nothing", "driver QX-S R2\nutility QX-S R2\nothers\n",
         MACHINE_PCAT, true, true, "driver 00", {"other"}, &VGA, "0000", startUp + driverGroup,
         [](HWND dialog) {
             SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
             SendMessageA(GetDlgItem(dialog, IDC_UNINSTALL_DRIVER), BM_CLICK, 0, 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Clean();
        events.clear();
        Lay(c.description);
        const std::string pendingBefore = testfiles::Read(PENDING);
        testreg::Tree expected = testreg::DumpSubtrees(SCRATCH_ROOTS);
        testfiles::FileTree files = testfiles::DumpFiles(DRIVE);
        duringFirstCommand = c.afterOk;
        Run(c.driverHalf, c.utilityHalf, InstallDir(c.bootInstall), c.machineType);

        std::set<std::string> removed = AllBut(laid, c.kept);
        footprint::Remove(laid, removed, &expected, &files);
        files.erase(std::remove_if(files.begin(), files.end(),
                                   [](const testfiles::FileEntry& e) {
                                       return testfiles::SamePath(e.path, "S:\\WINDOWS\\NRXDEL.EXE");
                                   }),
                    files.end());
        testfiles::Put(&files, testfiles::FileOf(PENDING, footprint::RemovePendingLines(laid, removed, pendingBefore)));
        if (c.profile)
            expected = Expected(expected,
                                RegistrationWrites(*c.profile, c.classInstance, "0000") + SettingsWrites(*c.profile),
                                RegistrationKeys(*c.profile, c.classInstance), true);
        testreg::Tree after = testreg::DumpSubtrees(SCRATCH_ROOTS);
        EXPECT_TRUE(expected == after) << testreg::Difference(expected, after);
        testfiles::FileTree filesAfter = testfiles::DumpFiles(DRIVE);
        EXPECT_TRUE(files == filesAfter) << testfiles::Difference(files, filesAfter);
        EXPECT_EQ(c.commands, EventsOf("dde"));
        // The board was not in the hardware tree and nothing had to wait.
        EXPECT_EQ(FINISHED, FinalMessage());
        EXPECT_FALSE(Restarted());
        char named[256];
        GetPrivateProfileStringA("boot.description", "display.drv", "", named, sizeof(named), "SYSTEM.INI");
        if (c.profile)
            EXPECT_STREQ(c.profile->description.text, named);
    }
}

TEST_F(UninstallSequence, UtilityFilesGoInListOrderEachWithItsHelpCompanionAndBackup)
{
    Lay("utility QX-S R2; number=01; files=NRXVGCHG.HLP,NRXVGCHG.CNT,NRXCHG32.DLL\n");
    Run(false, true, InstallDir("utility 01"));
    const std::string backups = "S:\\Program Files\\NORIX\\BACKUP\\UTILITY\\";
    std::vector<std::string> deleted;
    for (const std::string& path : EventsOf("delete"))
        if (deleted.size() < 8 && path != "S:\\WINDOWS\\wininit.nrx")
            deleted.push_back(path);
    EXPECT_EQ((std::vector<std::string>{"S:\\WINDOWS\\NRXVGCHG.HLP", "S:\\WINDOWS\\NRXVGCHG.exe",
                                        backups + "NRXVGCHG.H01", "S:\\WINDOWS\\NRXVGCHG.CNT",
                                        "S:\\WINDOWS\\NRXVGCHG.gid", backups + "NRXVGCHG.C01",
                                        "S:\\WINDOWS\\SYSTEM\\NRXCHG32.DLL", backups + "NRXCHG32.D01"}),
              deleted);
}

TEST_F(UninstallSequence, Code11RemovesFiveDeviceKeysForItsInstallAndFourForEachEarlierOne)
{
    Lay("driver QZ-M\ndriver QX-T\ndriver QZ-M\ndriver QZ-M\n");
    Run(true, false, InstallDir("driver 03"));
    auto device = [](const char* number, char function) {
        return std::string(function == '1' ? "PCI\\VEN_3D3D&DEV_0100" : "PCI\\VEN_3D3D&DEV_0004") +
               "&SUBSYS_00000000&REV_00\\BUS_01&DEV_" + number + "&FUNC_0" + function;
    };
    std::vector<std::string> expected;
    for (const char* number : {"03", "02", "00"}) {
        expected.push_back("HKLM\\Config\\0001\\Enum\\" + device(number, '1'));
        expected.push_back("HKLM\\Enum\\" + device(number, '1'));
        if (expected.size() == 2)
            expected.push_back("HKLM\\System\\CurrentControlSet\\Services\\Class\\3D Accelerators\\0000");
        expected.push_back("HKLM\\Config\\0001\\Enum\\" + device(number, '0'));
        expected.push_back("HKLM\\Enum\\" + device(number, '0'));
    }
    std::vector<std::string> deviceKeys;
    for (const std::string& key : EventsOf("key"))
        if (key.find("\\PCI\\") != std::string::npos || key.find("3D Accelerators") != std::string::npos)
            deviceKeys.push_back(key);
    EXPECT_EQ(expected, deviceKeys);
    // The standard display is registered once, between the board's keys and the monitor's.
    size_t restore = std::find_if(events.begin(), events.end(), [](const std::string& e) {
                         return e.compare(0, 7, "create ") == 0;
                     }) - events.begin();
    EXPECT_LT(IndexOf("key HKLM\\Enum\\" + device("00", '0')), restore);
    EXPECT_LT(restore, IndexOf("key HKLM\\System\\CurrentControlSet\\Services\\Class\\Monitor\\0000"));
    const std::string standardClass = "create System\\CurrentControlSet\\Services\\Class\\DISPLAY\\0000";
    EXPECT_EQ(1u, std::count(events.begin(), events.end(), standardClass));
    EXPECT_TRUE(testreg::KeyExists(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\Class\\DISPLAY\\0001"));
}

TEST_F(UninstallSequence, PerModelFileOfTheBoardAndMachineAndOnlyItsOwnComponents)
{
    const char* const rootFiles[] = {"QXS98.NRX", "QXSAT.NRX", "QXT98.NRX", "QXTAT.NRX", "QR298.NRX", "QR2AT.NRX",
                                     "QR398.NRX", "QR3AT.NRX", "QS498.NRX", "QS4AT.NRX", "QZN98.NRX", "QZNAT.NRX",
                                     "QYN.NRX",   "PNLPROP.NRX", "NRXD3D.NRX", "NRXUTL.NRX", "NRXCHG16.NRX",
                                     "NRXCHG32.NRX", "NRXVGCHG.NRX"};
    const std::set<std::string> always = {"NRXUTL.NRX", "NRXCHG16.NRX", "NRXCHG32.NRX"};
    struct Case {
        const char* model;
        int machineType;
        std::set<std::string> deleted;  // besides the three every driver uninstall deletes
    } cases[] = {
        {"QX-S", MACHINE_PC98, {"QXS98.NRX"}},
        {"QX-T", MACHINE_PCAT, {"QXTAT.NRX"}},
        {"QX-S R2", MACHINE_PC98, {"QR298.NRX"}},
        {"QX-S R2", MACHINE_PCAT, {"QR2AT.NRX"}},
        {"QX-S4K-B", MACHINE_PCAT, {"QS4AT.NRX", "PNLPROP.NRX"}},
        {"QZ-N", MACHINE_PC98, {"QZN98.NRX", "NRXD3D.NRX"}},
        {"QY-NN", MACHINE_PC98, {"QYN.NRX", "NRXD3D.NRX"}},
        {"QY-NN", MACHINE_PCAT, {"QYN.NRX", "NRXD3D.NRX"}},
        {"QX-X", MACHINE_PCAT, {}},  // no model recognised
    };
    const char* lcdKey = "SOFTWARE\\Classes\\CLSID\\{A1C47E52-9B0F-11d0-83D6-00E08C3D5B28}";
    const char* acceleratorKey = "SOFTWARE\\Classes\\CLSID\\{5B2E9A41-7C3D-11d0-A4F2-00E08C3D5A17}";
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model) + (c.machineType == MACHINE_PC98 ? " PC-98" : " PC/AT"));
        Clean();
        // Other boards' LCD and 3D registrations were there before.
        Lay(std::string(c.machineType == MACHINE_PC98 ? "machine PC98\n" : "") +
            "driver QX-S4K-A\ndriver QZ-N\ndriver " + c.model + "; dir=S:\\NORIX\\" + c.model + "\n");
        for (const char* name : rootFiles)
            testfiles::Write(std::string(DRIVE) + name, name);
        Run(true, false, InstallDir("driver 02"), c.machineType);
        for (const char* name : rootFiles) {
            bool gone = c.deleted.count(name) || always.count(name);
            EXPECT_EQ(gone, !testfiles::Exists(std::string(DRIVE) + name)) << name;
        }
        EXPECT_EQ(c.deleted.count("PNLPROP.NRX") > 0, !testreg::KeyExists(HKEY_LOCAL_MACHINE, lcdKey));
        EXPECT_EQ(c.deleted.count("NRXD3D.NRX") > 0, !testreg::KeyExists(HKEY_LOCAL_MACHINE, acceleratorKey));
    }
}

TEST_F(UninstallSequence, SavedVgaDriverIsPutBackNowOrAtTheNextStart)
{
    const std::string target = std::string(SYSTEM) + "\\VGA.DRV", saved = std::string(SYSTEM) + "\\VGA.QZN";
    struct Case {
        const char* what;
        bool held, savedThere, targetThere;
    } cases[] = {
        {"VGA.DRV free", false, true, true},
        {"VGA.DRV in use", true, true, true},
        {"no VGA.QZN", false, false, true},
        {"no VGA.DRV", false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Clean();
        Lay("driver QZ-R\n");
        testfiles::Write(saved, "standard VGA");
        if (!c.savedThere)
            DeleteFileA(saved.c_str());
        if (!c.targetThere)
            DeleteFileA(target.c_str());
        HANDLE holder = INVALID_HANDLE_VALUE;
        if (c.held)
            holder = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        char shortTarget[MAX_PATH], shortSaved[MAX_PATH];
        GetShortPathNameA(target.c_str(), shortTarget, sizeof(shortTarget));
        GetShortPathNameA(saved.c_str(), shortSaved, sizeof(shortSaved));
        const std::string pendingBefore = testfiles::Read(PENDING);
        Run(true, false, InstallDir("driver 00"), MACHINE_PCAT, IDCANCEL);
        if (holder != INVALID_HANDLE_VALUE)
            CloseHandle(holder);
        std::string pending = testfiles::Read(PENDING);
        if (c.held) {
            const std::string lines =
                "NULL=" + std::string(shortTarget) + "\r\n" + shortTarget + "=" + shortSaved + "\r\n";
            EXPECT_EQ(lines, pending.substr(pending.size() - std::min(pending.size(), lines.size())));
            EXPECT_EQ(RESTART_QUESTION, FinalMessage());
            EXPECT_TRUE(testfiles::Exists(saved));
        } else {
            EXPECT_EQ(std::string::npos, pending.find("NULL="));
            EXPECT_EQ(FINISHED, FinalMessage());
            EXPECT_EQ(c.savedThere ? "standard VGA" : "VGA.DRV (vga)\r\n", testfiles::Read(target));
            EXPECT_FALSE(testfiles::Exists(saved));
        }
    }
}

TEST_F(UninstallSequence, RestartWindowsOnlyWhenTheUserAgrees)
{
    for (int answer : {IDCANCEL, IDOK}) {
        Clean();
        Lay("present QX-S R2\ndriver QX-S R2\n");  // the board is running: a restart is needed
        Run(true, false, InstallDir("driver 00"), MACHINE_PCAT, answer);
        EXPECT_EQ(RESTART_QUESTION, FinalMessage());
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(LoadIconA(NULL, IDI_ASTERISK), boxes[0].icon);
        EXPECT_EQ(answer == IDOK, Restarted());
        DeleteFileA(restartLog.c_str());
    }
}

TEST_F(UninstallSequence, BadRecordsEndTheSequenceWithOnlyWhatIsProvablyTheProducts)
{
    const std::string records = "SOFTWARE\\NORIX\\DISPLAY", own = records + "\\DRIVER\\00";
    const std::string boardClass = "System\\CurrentControlSet\\Services\\Class\\DISPLAY\\0000";
    const std::string device = "Enum\\PCI\\VEN_5333&DEV_8A01&SUBSYS_00000000&REV_00\\BUS_01&DEV_00&FUNC_00";
    const std::string system = std::string(SYSTEM) + "\\", backups = "S:\\Program Files\\NORIX\\BACKUP\\DRIVER\\";
    auto exists = [](const std::string& key) { return testreg::KeyExists(HKEY_LOCAL_MACHINE, key.c_str()); };
    auto text = [](const std::string& key, const char* name, const std::string& value) {
        testreg::WriteString(HKEY_LOCAL_MACHINE, key.c_str(), name, value);
    };
    auto bytes = [](const std::string& key, const char* name, const std::string& value) {
        testreg::Write(HKEY_LOCAL_MACHINE, key.c_str(), name, REG_BINARY, value.data(), (DWORD)value.size());
    };
    std::vector<HANDLE> held;
    const std::string both = "driver QX-S R2\nutility QX-S R2\nothers\n";
    struct Case {
        const char* what;
        std::string description;
        bool driverHalf, utilityHalf;
        std::function<void()> spoil;
        std::function<void()> check;
    } cases[] = {
        {"a Counter that is no number", both, true, true, [&] { text(records + "\\DRIVER", "Counter", "x"); },
         [&] { EXPECT_TRUE(exists(own) && exists(boardClass) && exists(device)); }},
        {"a start directory no install has", both, true, true,
         [&] { text(records, "BootDir", "S:\\Elsewhere\\QX-S R2"); },
         [&] { EXPECT_TRUE(exists(own) && exists(boardClass) && exists(device)); }},
        {"an empty Board", both, true, false, [&] { text(own, "Board", ""); },
         [&] { EXPECT_TRUE(!exists(own) && !exists(device) && exists(boardClass)); }},
        {"a Board naming the install records", both, true, false, [&] { text(own, "Board", "display"); },
         [&] { EXPECT_TRUE(exists(records + "\\UTILITY\\00")); }},
        {"a DeviceNo naming a whole bus", both, true, true, [&] { text(own, "DeviceNo", "PCI"); },
         [&] {
             EXPECT_TRUE(exists("Enum\\PCI\\VEN_1102&DEV_0002&SUBSYS_00000000&REV_00\\BUS_00&DEV_0A&FUNC_00"));
             EXPECT_TRUE(exists(device) && !exists(records));
         }},
        {"unterminated and oversize values", both, true, false,
         [&] {
             bytes(own, "InstDir", InstallDir("driver 00"));
             bytes(own, "DeviceNo", std::string(300, 'P'));
             bytes(own, "FolderName", std::string(300, 'F'));
         },
         [&] {
             EXPECT_TRUE(!exists(own) && exists(device));
             EXPECT_TRUE(testfiles::Exists("S:\\WINDOWS\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ\\ﾉﾘｯｸｽ表示ソフト QX-S R2"));
         }},
        {"a listed name that is a path", both, true, true,
         [&] {
             text(own, "0", "..\\WIN.INI");
             testfiles::Write("S:\\WIN.INI", "other");
         },
         [&] { EXPECT_TRUE(testfiles::Exists("S:\\WIN.INI") && !testfiles::Exists(system + "QR2.VXD")); }},
        {"an empty InstDir", "utility QX-S R2\nothers\n", false, true,
         [&] { text(records + "\\UTILITY\\00", "InstDir", ""); },
         [&] { EXPECT_TRUE(testfiles::Exists("S:\\README.TXT") && !exists(records)); }},
        {"instance keys with a gap and a one-digit Counter", "driver QX-S R2; number=00\ndriver QX-S R2; number=03\n",
         true, false, [&] { text(records + "\\DRIVER", "Counter", "3"); }, [&] { EXPECT_FALSE(exists(records)); }},
        {"files in use or read-only", both, true, true,
         [&] {
             held.push_back(CreateFileA((system + "QR2.DRV").c_str(), GENERIC_READ, FILE_SHARE_READ, NULL,
                                        OPEN_EXISTING, 0, NULL));
             SetFileAttributesA((backups + "QR2.V00").c_str(), FILE_ATTRIBUTE_READONLY);
         },
         [&] {
             for (HANDLE file : held)
                 CloseHandle(file);
             std::string pending = testfiles::Read(PENDING);
             for (const std::string& path : {system + "QR2.DRV", backups + "QR2.V00"}) {
                 char shortPath[MAX_PATH];
                 GetShortPathNameA(path.c_str(), shortPath, sizeof(shortPath));
                 EXPECT_NE(std::string::npos, pending.find("NUL=" + std::string(shortPath) + "\r\n")) << path;
             }
             EXPECT_EQ(RESTART_QUESTION, FinalMessage());
             SetFileAttributesA((backups + "QR2.V00").c_str(), FILE_ATTRIBUTE_NORMAL);
         }},
        {"no Program Manager", both, true, true, [&] { progmanAnswers = false; },
         [&] {
             EXPECT_TRUE(EventsOf("dde").empty());
             EXPECT_EQ(2u, EventsOf("start").size());  // one try for each conversation
             EXPECT_FALSE(exists(records));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Clean();
        events.clear();
        Lay(c.description);
        std::string bootDir = InstallDir(c.driverHalf ? "driver 00" : "utility 00");
        testreg::WriteString(HKEY_LOCAL_MACHINE, INSTALL_KEY, "BootDir", bootDir);
        c.spoil();
        std::string spoiledBootDir = testreg::Read(HKEY_LOCAL_MACHINE, INSTALL_KEY, "BootDir").text();
        Run(c.driverHalf, c.utilityHalf, spoiledBootDir);
        EXPECT_EQ(1u, boxes.size());
        c.check();
        progmanAnswers = true;
        held.clear();
    }
}

std::vector<std::pair<UINT, DWORD>> exits;

BOOL WINAPI RecordExit(UINT flags, DWORD reason)
{
    exits.push_back({flags, reason});
    return TRUE;
}

TEST(RebootNow, AnySenderRestartsWindowsThroughExitWindowsEx)
{
    testbed::ImportHook hook("USER32.dll", "ExitWindowsEx", (void*)RecordExit);
    ASSERT_TRUE(hook.installed());
    testreg::ScratchRegistry registry;
    HWND dialog = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_SELECTION), NULL,
                                     SelectionDialogProc, 0);
    ASSERT_TRUE(dialog);
    SendMessageA(dialog, WM_REBOOT_NOW, 0, 0);
    DestroyWindow(dialog);
    EXPECT_EQ((std::vector<std::pair<UINT, DWORD>>{{EWX_REBOOT, 0}}), exits);
}

}  // namespace
