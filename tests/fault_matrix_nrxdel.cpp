// Fault matrix, NRXDEL in-process: the whole uninstall sequence on a laid
// footprint (both halves of a QX-S R2 install beside other programs' keys,
// files and pending renames) with one thing spoiled: "wininit.ini" in every
// shape a disk can hold, files in use, read-only or gone, records of the
// wrong type, size or number. Whatever the spoil, the run removes only what
// the products laid, adds only the standard display and its pending
// deletions, keeps every other program's line of "wininit.ini", closes every
// key and file and ends with one message. Then the helpers at the edges of
// their buffers, and Program Manager absent or never answering.
#include "driver.h"
#include "fault_matrix.h"
#include "file_removal.h"
#include "pending_renames.h"
#include "progman_client.h"
#include "uninstall_sequence_fixture.h"
#include "uninstaller_fixture.h"


namespace {

using namespace std::string_literals;

const char BOTH[] = "driver QX-S R2\nutility QX-S R2\nothers\n";
const char DRIVER_FILE[] = "S:\\WINDOWS\\SYSTEM\\QR2.DRV";
const char OWN_INSTALL[] = "SOFTWARE\\NORIX\\DISPLAY\\DRIVER\\00";

// What the sequence may overwrite, and the keys the standard display
// restore may add.
const std::vector<std::string> OVERWRITTEN = {
    "HKLM\\Config\\0001\\Display\\Settings\\BitsPerPixel",
    "HKLM\\Config\\0001\\Display\\Settings\\Resolution",
    "HKLM\\SOFTWARE\\NORIX\\DISPLAY\\BootDir",
    PENDING,
};
const std::vector<std::string> STANDARD_DISPLAY = {
    "HKLM\\System\\CurrentControlSet\\Services\\Class\\DISPLAY",
    "HKLM\\Enum\\Root\\Display",
    "HKLM\\Config\\0001\\Enum\\Root\\Display",
    "HKLM\\Config\\0001\\Enum\\BIOS",
};

std::string Lines(const char* format, int count)
{
    std::string lines;
    char line[256];
    for (int i = 0; i < count; ++i) {
        wsprintfA(line, format, i, i);
        lines += line;
    }
    return lines;
}

std::string ShortPath(const std::string& path)
{
    char shortPath[MAX_PATH] = "";
    GetShortPathNameA(path.c_str(), shortPath, sizeof(shortPath));
    return shortPath;
}

struct SequenceCase {
    const char* what;
    std::function<void()> spoil;  // after the footprint is laid
    std::function<void()> check;  // after the run, besides what every case checks
    std::string description = BOTH;
    bool ownBootDir = false;  // the spoil writes "BootDir" itself
};

class NrxdelMatrix : public UninstallSequence {
protected:
    void TearDown() override
    {
        Release();
        UninstallSequence::TearDown();
    }
    void RunCase(const SequenceCase& c)
    {
        Release();
        Clean();
        uninstall_scratch::StartAsRelocatedCopy();
        events.clear();
        progmanTimesOut = false;
        ddeTimeouts.clear();
        Lay(c.description);
        c.spoil();
        const std::string pendingBefore = testfiles::Read(PENDING);
        matrix::Snapshot before = matrix::Take({SCRATCH_ROOTS, {DRIVE}});
        {
            matrix::OpenHandles handles;
            Run(true, true, c.ownBootDir ? "" : InstallDir("driver 00"));
            EXPECT_EQ(0, handles.keys()) << "registry keys left open";
            EXPECT_EQ(0, handles.files()) << "files left open";
        }
        Release();
        EXPECT_EQ(1u, boxes.size()) << "one final message";
        matrix::Snapshot after = matrix::Take({SCRATCH_ROOTS, {DRIVE}});
        // The products' keys and files with all below them; the keys and
        // folders they remove only once empty, exactly those.
        std::vector<std::string> products = OVERWRITTEN;
        products.push_back(std::string(WINDOWS) + "\\NRXDEL.EXE");
        std::vector<std::string> emptied;
        for (const footprint::Item& item : laid.items) {
            if (item.tags.count("other"))
                continue;
            if (item.type == footprint::Item::KEY_IF_EMPTY || item.type == footprint::Item::FOLDER_IF_EMPTY)
                emptied.push_back(item.path);
            else
                products.push_back(item.type == footprint::Item::VALUE ? item.path + "\\" + item.name : item.path);
        }
        matrix::MayChange ownBelow = matrix::Within(products), standardDisplay = matrix::Within(STANDARD_DISPLAY);
        matrix::MayChange mayRemove = [=](const std::string& path) {
            for (const std::string& folder : emptied)
                if (testfiles::SamePath(path, folder))
                    return true;
            return ownBelow(path);
        };
        matrix::MayChange mayAdd = [=](const std::string& path) { return mayRemove(path) || standardDisplay(path); };
        EXPECT_EQ("", matrix::ChangesOutside(before, after, mayRemove, mayAdd));
        // Other programs' pending renames stay, as long as the file does.
        std::string pending = testfiles::Read(PENDING);
        for (const footprint::PendingLine& line : laid.pending)
            if (line.tags.count("other") && pendingBefore.find(line.text) != std::string::npos)
                EXPECT_NE(std::string::npos, pending.find(line.text + "\r\n")) << line.text;
        c.check();
    }
    // A file held open by another program, which shares it as `share` allows.
    void Hold(const std::string& path, DWORD share)
    {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, NULL, OPEN_EXISTING, 0, NULL);
        EXPECT_NE(INVALID_HANDLE_VALUE, file) << path;
        held.push_back(file);
    }
    void Release()
    {
        for (HANDLE file : held)
            CloseHandle(file);
        held.clear();
        for (const testfiles::FileEntry& entry : testfiles::DumpFiles(DRIVE))
            SetFileAttributesA(entry.path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    // "wininit.ini" as `bytes`, with the driver file in use so that the run
    // appends a deletion to it; afterwards it must be `kept` and that line.
    SequenceCase Pending(const char* what, const std::string& bytes, const std::string& kept, bool present = true)
    {
        SequenceCase c;
        c.what = what;
        c.spoil = [=] {
            if (present)
                testfiles::Write(PENDING, bytes);
            else
                DeleteFileA(PENDING);
            Hold(DRIVER_FILE, FILE_SHARE_READ | FILE_SHARE_WRITE);
        };
        c.check = [=] {
            std::string separator = kept.empty() || kept.back() == '\n' || kept.back() == '\r' ? "" : "\r\n";
            EXPECT_EQ(kept + separator + "NUL=" + ShortPath(DRIVER_FILE) + "\r\n", testfiles::Read(PENDING));
        };
        return c;
    }
    // "wininit.ini" that the run cannot touch: afterwards exactly as before.
    SequenceCase Untouchable(const char* what, const std::function<void()>& protect)
    {
        SequenceCase c;
        c.what = what;
        c.spoil = [=] {
            Hold(DRIVER_FILE, FILE_SHARE_READ | FILE_SHARE_WRITE);
            pendingBytes = testfiles::Read(PENDING);
            protect();
        };
        c.check = [=] { EXPECT_EQ(pendingBytes, testfiles::Read(PENDING)); };
        return c;
    }
    std::vector<HANDLE> held;
    std::string pendingBytes;
};

// 300 devices in the running hardware tree, the board the one at `board`.
void RunningDevices(int board)
{
    for (int i = 0; i < 300; ++i)
        testreg::WriteString(HKEY_DYN_DATA, ("Config Manager\\Enum\\" + std::to_string(1000 + i)).c_str(),
                             "HardWareKey", i == board ? "PCI\\VEN_5333&DEV_8A01\\0" : "ROOT\\OTHER");
}

bool Exists(const std::string& key)
{
    return testreg::KeyExists(HKEY_LOCAL_MACHINE, key.c_str());
}

TEST_F(NrxdelMatrix, PendingFileOfEveryShape)
{
    const std::string other = "C:\\OTHER\\A.DLL=C:\\OTHER\\A.NEW\r\n";
    const std::string product = "S:\\WINDOWS\\SYSTEM\\QR2.DRV=S:\\qr2at.nrx\r\n";
    const std::string utility = "S:\\WINDOWS\\SYSTEM\\NRXCHG32.DLL=S:\\nrxchg32.nrx\r\n";
    const std::string many = Lines("C:\\OTHER\\F%05d.DLL=C:\\OTHER\\F%05d.NEW\r\n", 10000);
    const std::string longOther = "C:\\OTHER\\L.DLL=" + std::string(983, 'a') + "\r\n";
    const std::string longProduct = std::string(500, 'b') + "=S:\\qr2at.nrx" + std::string(486, 'c') + "\r\n";
    const std::string straddling = std::string(95, 'd') + "nrxutl.nrx" + std::string(893, 'e') + "\r\n";
    const std::string oddBytes = "NUL=\0 inside\r\nCtrl+Z \x1A stays\r\n\x83\x5C\x95\x5C=\xFF\xFE\r\n"s;
    const SequenceCase cases[] = {
        Pending("wininit.ini absent", "", "[rename]\r\n", false),
        Pending("wininit.ini empty", "", ""),
        Pending("wininit.ini of 10,000 other programs' lines", "[rename]\r\n" + product + many + utility,
                "[rename]\r\n" + many),
        Pending("wininit.ini with lines of 1,000 bytes", longOther + longProduct + straddling + longOther,
                longOther + straddling + longOther),
        Pending("wininit.ini with CR-only line ends", "[rename]\rA=B\r" "X=S:\\qr298.nrx\rC=D\r",
                "[rename]\rA=B\rC=D\r"),
        Pending("wininit.ini with NUL and high bytes", oddBytes + product + oddBytes, oddBytes + oddBytes),
        Pending("wininit.ini without a final line end", other + product + "LAST=C:\\OTHER", other + "LAST=C:\\OTHER"),
        Untouchable("wininit.ini read-only",
                    [] { SetFileAttributesA(PENDING, FILE_ATTRIBUTE_READONLY); }),
        Untouchable("wininit.ini held by another program without write sharing",
                    [this] { Hold(PENDING, FILE_SHARE_READ); }),
    };
    for (const SequenceCase& c : cases)
        matrix::Case(std::string("NRXDEL: ") + c.what, 10000, [&] { RunCase(c); });
    matrix::Case("NRXDEL: a leftover read-only wininit.nrx", 10000, [&] {
        const char* leftover = "S:\\WINDOWS\\wininit.nrx";
        SequenceCase c;
        c.what = "";
        c.spoil = [=] {
            testfiles::Write(leftover, "left over");
            SetFileAttributesA(leftover, FILE_ATTRIBUTE_READONLY);
            Hold(DRIVER_FILE, FILE_SHARE_READ | FILE_SHARE_WRITE);
            pendingBytes = testfiles::Read(PENDING);
        };
        // Not filtered, but the deletion is appended.
        c.check = [=] {
            EXPECT_EQ(pendingBytes + "NUL=" + ShortPath(DRIVER_FILE) + "\r\n", testfiles::Read(PENDING));
            EXPECT_EQ("left over", testfiles::Read(leftover));
        };
        RunCase(c);
    });
    matrix::Case("NRXDEL: wininit.ini a folder", 10000, [&] {
        SequenceCase c;
        c.what = "";
        c.spoil = [] {
            DeleteFileA(PENDING);
            CreateDirectoryA(PENDING, NULL);
        };
        c.check = [] { EXPECT_TRUE(GetFileAttributesA(PENDING) & FILE_ATTRIBUTE_DIRECTORY); };
        RunCase(c);
    });
}

TEST_F(NrxdelMatrix, FilesInUseReadOnlyOrGone)
{
    const std::string system = "S:\\WINDOWS\\SYSTEM\\", backups = "S:\\Program Files\\NORIX\\BACKUP\\";
    auto listedFiles = [this] {
        std::vector<std::string> files;
        for (const footprint::Item& item : laid.items)
            if (item.type == footprint::Item::FILE && item.tags.count("driver 00") && !item.tags.count("other"))
                files.push_back(item.path);
        return files;
    };
    auto stays = [](const std::string& path) { EXPECT_TRUE(testfiles::Exists(path)) << path; };
    const SequenceCase cases[] = {
        {"every driver file in use, shared but not for deletion",
         [=] {
             for (const std::string& path : listedFiles())
                 Hold(path, FILE_SHARE_READ | FILE_SHARE_WRITE);
         },
         [=] {
             std::string pending = testfiles::Read(PENDING);
             for (const std::string& path : listedFiles())
                 EXPECT_NE(std::string::npos, pending.find("NUL=" + ShortPath(path) + "\r\n")) << path;
             EXPECT_EQ(RESTART_QUESTION, FinalMessage());
         }},
        {"driver files held without any sharing",
         [=] {
             for (const std::string& path : listedFiles())
                 Hold(path, 0);
         },
         [=] {
             for (const std::string& path : listedFiles()) {
                 stays(path);
                 EXPECT_EQ(std::string::npos, testfiles::Read(PENDING).find("NUL=" + ShortPath(path))) << path;
             }
         }},
        {"read-only driver files and backups",
         [=] {
             for (const std::string& path : listedFiles())
                 SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
         },
         [] {}},
        {"install directories already gone",
         [this] {
             testfiles::Remove(InstallDir("driver 00"));
         },
         [] { EXPECT_FALSE(Exists("SOFTWARE\\NORIX")); }},
        {"backup folders already gone", [] { testfiles::Remove("S:\\Program Files\\NORIX\\BACKUP"); },
         [] { EXPECT_FALSE(Exists("SOFTWARE\\NORIX")); }},
        {"no Start menu folder", [] { testfiles::Remove("S:\\WINDOWS\\ｽﾀｰﾄ ﾒﾆｭｰ"); }, [] {}},
        {"a user's own file in the install directory",
         [this] { testfiles::Write(InstallDir("driver 00") + "\\MY NOTES.TXT", "mine"); },
         [=] { stays(InstallDir("driver 00") + "\\MY NOTES.TXT"); }},
        {"a folder where a listed file should be",
         [=] {
             DeleteFileA((system + "QR2.VXD").c_str());
             CreateDirectoryA((system + "QR2.VXD").c_str(), NULL);
         },
         [=] { EXPECT_TRUE(GetFileAttributesA((system + "QR2.VXD").c_str()) & FILE_ATTRIBUTE_DIRECTORY); }},
    };
    for (const SequenceCase& c : cases)
        matrix::Case(std::string("NRXDEL: ") + c.what, 10000, [&] { RunCase(c); });
}

TEST_F(NrxdelMatrix, RecordsOfTheWrongTypeSizeOrNumber)
{
    const std::string records = "SOFTWARE\\NORIX\\DISPLAY";
    auto bytes = [](const std::string& key, const char* name, DWORD type, const std::string& data) {
        testreg::Write(HKEY_LOCAL_MACHINE, key.c_str(), name, type, data.data(), (DWORD)data.size());
    };
    auto ownStays = [] { EXPECT_TRUE(Exists(OWN_INSTALL)); };
    auto ownGoes = [] { EXPECT_FALSE(Exists(OWN_INSTALL)); };
    const SequenceCase cases[] = {
        {"driver Counter of a number type",
         [=] { testreg::WriteDword(HKEY_LOCAL_MACHINE, (records + "\\DRIVER").c_str(), "Counter", 0); }, ownStays},
        {"driver Counter of zero length", [=] { bytes(records + "\\DRIVER", "Counter", REG_SZ, ""); }, ownStays},
        {"driver Counter of 256 bytes without a terminator",
         [=] { bytes(records + "\\DRIVER", "Counter", REG_BINARY, std::string(256, '0')); }, ownStays},
        {"driver Counter far above every install",
         [=] { testreg::WriteString(HKEY_LOCAL_MACHINE, (records + "\\DRIVER").c_str(), "Counter", "999999"); },
         ownGoes},
        {"InstDir of 260 bytes without a terminator",
         [=] { bytes(OWN_INSTALL, "InstDir", REG_BINARY, std::string(260, 'S')); }, ownStays},
        {"Board of a number type", [=] { testreg::WriteDword(HKEY_LOCAL_MACHINE, OWN_INSTALL, "Board", 0); },
         [] { EXPECT_TRUE(Exists("System\\CurrentControlSet\\Services\\Class\\DISPLAY\\0000")); }},
        {"DeviceNo of zero length", [=] { bytes(OWN_INSTALL, "DeviceNo", REG_SZ, ""); },
         [] { EXPECT_TRUE(Exists("Enum\\PCI\\VEN_5333&DEV_8A01&SUBSYS_00000000&REV_00\\BUS_01&DEV_00&FUNC_00")); }},
        {"file list of 300 values",
         [=] {
             for (int i = 20; i < 300; ++i)
                 testreg::WriteString(HKEY_LOCAL_MACHINE, OWN_INSTALL, std::to_string(i).c_str(), "WIN.INI");
             testfiles::Write("S:\\WINDOWS\\WIN.INI", "other");
         },
         [] { EXPECT_TRUE(testfiles::Exists("S:\\WINDOWS\\WIN.INI")); }},
        {"110 other driver installs (counted up to 100)",
         [=] {
             for (int i = 10; i < 120; ++i)
                 testreg::WriteString(HKEY_LOCAL_MACHINE, (records + "\\DRIVER\\" + std::to_string(i)).c_str(),
                                      "Board", "OTHER");
         },
         [=] { EXPECT_TRUE(Exists(records + "\\DRIVER\\119")); }},
        {"150 other keys beside the vendor's records",
         [] {
             for (int i = 0; i < 150; ++i)
                 testreg::WriteString(HKEY_LOCAL_MACHINE, ("Software\\NORIX\\K" + std::to_string(i)).c_str(), "v",
                                      "x");
         },
         [] { EXPECT_TRUE(Exists("Software\\NORIX\\K149")); }},
        {"subkeys below an install's key",
         [=] { testreg::WriteString(HKEY_LOCAL_MACHINE, (std::string(OWN_INSTALL) + "\\A\\B\\C").c_str(), "v", "x"); },
         ownGoes},
        {"the board as the 200th of 300 running devices", [] { RunningDevices(199); },
         [this] { EXPECT_EQ(RESTART_QUESTION, FinalMessage()); }},
        {"the board beyond the 256th running device", [] { RunningDevices(280); },
         [this] { EXPECT_EQ(FINISHED, FinalMessage()); }},
        {"BootDir of 260 bytes without a terminator",
         [=] { bytes(records, "BootDir", REG_BINARY, std::string(260, 'S')); }, ownStays, BOTH, true},
        {"Program Manager that never answers",
         [] { progmanTimesOut = true; },
         [] {
             EXPECT_EQ(5u, EventsOf("dde").size()) << "every command was tried";
             for (DWORD timeout : ddeTimeouts)
                 EXPECT_EQ(10000u, timeout);
             EXPECT_FALSE(Exists("SOFTWARE\\NORIX"));
         }},
    };
    for (const SequenceCase& c : cases)
        matrix::Case(std::string("NRXDEL: ") + c.what, 10000, [&] { RunCase(c); });
}

// The helpers at the edge of their path buffers: a Windows directory whose
// "wininit.ini" path just fits, and one a byte longer, where nothing is
// written and a shorter name's file (what a cut path would name) stays.
class NrxdelHelpersMatrix : public InProcessUninstaller {};

TEST_F(NrxdelHelpersMatrix, PendingFileAtTheEdgeOfItsPathBuffer)
{
    struct EdgeCase {
        const char* what;
        size_t pathLength;  // of "<Windows directory>\wininit.ini"
    } cases[] = {{"a wininit.ini path of 259 bytes", 259}, {"a wininit.ini path of 260 bytes", 260}};
    for (const EdgeCase& c : cases) {
        matrix::Case(std::string("NRXDEL: ") + c.what, 3000, [&] {
            const std::string folder =
                windows.path() + "\\" + std::string(c.pathLength - 12 - windows.path().size() - 1, 'w');
            const std::string cut = folder + "\\wininit.in", held = windows / "HELD.DLL";
            // The test bed's own removal takes no paths this long.
            auto clear = [&] {
                DeleteFileA((folder + "\\wininit.ini").c_str());
                DeleteFileA(cut.c_str());
                RemoveDirectoryA(folder.c_str());
            };
            clear();
            ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
            SetWindowsDirectory(folder);
            testfiles::Write(cut, "other");
            testfiles::Write(held, "in use");
            HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                        OPEN_EXISTING, 0, NULL);
            matrix::Snapshot before = matrix::Take({{}, {folder}});
            {
                matrix::OpenHandles handles;
                FilterPendingRenames(1, 1, 3);
                DeleteFileOrSchedule(held.c_str());
                EXPECT_EQ(0, handles.files());
            }
            CloseHandle(holder);
            if (c.pathLength < MAX_PATH)
                EXPECT_EQ("[rename]\r\nNUL=" + ShortPath(held) + "\r\n", testfiles::Read(folder + "\\wininit.ini"));
            else
                EXPECT_EQ("", matrix::ChangesOutside(before, matrix::Take({{}, {folder}}), matrix::Within({})));
            EXPECT_EQ("other", testfiles::Read(cut));
            clear();
        });
    }
}

// The client's conversations go to service and topic `connectService`
// instead of Program Manager, which Wine's explorer serves in every session;
// the programs the client starts are only noted.
const char* connectService = NULL;
testbed::ImportHook* connectHook = NULL;
std::vector<std::string> started;

HCONV WINAPI ConnectElsewhere(DWORD instance, HSZ, HSZ, PCONVCONTEXT context)
{
    HSZ service = DdeCreateStringHandleA(instance, connectService, CP_WINANSI);
    HCONV conversation =
        connectHook->original<HCONV(WINAPI*)(DWORD, HSZ, HSZ, PCONVCONTEXT)>()(instance, service, service, context);
    DdeFreeStringHandle(instance, service);
    return conversation;
}

UINT WINAPI NoteStart(LPCSTR program, UINT)
{
    started.push_back(program);
    return ERROR_FILE_NOT_FOUND;
}

class NrxdelProgmanMatrix : public ::testing::Test {
protected:
    void Reach(const char* service)
    {
        connectService = service;
        started.clear();
        start.reset();  // a hook made while another lives would be undone with it
        connect.reset();
        connect.reset(new testbed::ImportHook("USER32.dll", "DdeConnect", (void*)ConnectElsewhere));
        connectHook = connect.get();
        start.reset(new testbed::ImportHook("KERNEL32.dll", "WinExec", (void*)NoteStart));
        ASSERT_TRUE(connect->installed() && start->installed());
    }
    std::unique_ptr<testbed::ImportHook> connect, start;
};

TEST_F(NrxdelProgmanMatrix, ServerAbsentOrNeverAnswering)
{
    matrix::Case("NRXDEL: Program Manager's DDE server absent", 5000, [&] {
        Reach("NRXNOBODY");
        ProgmanClient client;
        EXPECT_FALSE(client.Connect());
        EXPECT_EQ(std::vector<std::string>{"PROGMAN.EXE"}, started) << "one try to start it";
        EXPECT_FALSE(client.ShowGroup("ｽﾀｰﾄｱｯﾌﾟ", 1));
    });
    matrix::Case("NRXDEL: Program Manager's DDE server that never answers", 16000, [&] {
        driver::Program server(WINE_BUILD_DIR "\\tests\\SILENTDDE.EXE");
        ASSERT_TRUE(driver::WaitForWindow(server.id(), "NrxSilentDdeServer", NULL));
        Reach("NRXSILENT");
        ProgmanClient client;
        ASSERT_TRUE(client.Connect());
        CONVINFO conversation = {};
        conversation.cb = sizeof(conversation);
        DdeQueryConvInfo(client.conversation(), QID_SYNC, &conversation);
        DWORD partner = 0;
        GetWindowThreadProcessId(conversation.hwndPartner, &partner);
        EXPECT_EQ(server.id(), partner) << "the conversation is with our own server";
        DWORD start = GetTickCount();
        EXPECT_FALSE(client.ShowGroup("ｽﾀｰﾄｱｯﾌﾟ", 1));
        DWORD waited = GetTickCount() - start;
        EXPECT_GE(waited, 9500u) << "the 10 s limit";
        EXPECT_LE(waited, 12500u) << "the 10 s limit";
        start = GetTickCount();
        client.Disconnect();
        EXPECT_LE(GetTickCount() - start, 3000u) << "the conversation ends at once";
        EXPECT_TRUE(started.empty());
    });
}

}  // namespace
