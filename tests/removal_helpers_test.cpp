// The removal helpers on Wine's real registry (scratch roots) and real
// files (a scratch Windows directory): tree removal order, value reads,
// deletion now or through "wininit.ini", and the pending-rename filter.
#include "file_removal.h"
#include "import_hook.h"
#include "pending_renames.h"
#include "registry_removal.h"
#include "uninstaller_fixture.h"

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

const char TREE[] = "Software\\Tree";

// The keys RegDeleteKeyA is asked to delete while a test watches.
std::vector<std::string> deletedKeys;
LONG deleteResult;
testbed::ImportHook* deleteHook;

LONG WINAPI RecordDeleteKey(HKEY root, LPCSTR path)
{
    deletedKeys.push_back(path);
    if (deleteResult != ERROR_SUCCESS)
        return deleteResult;
    return deleteHook->original<LONG(WINAPI*)(HKEY, LPCSTR)>()(root, path);
}

LONG WINAPI FailEnumeration(HKEY, DWORD, LPSTR, LPDWORD, LPDWORD, LPSTR, LPDWORD, PFILETIME)
{
    return ERROR_ACCESS_DENIED;
}

class RemovalHelpers : public InProcessUninstaller {
protected:
    void SetUp() override
    {
        InProcessUninstaller::SetUp();
        deletedKeys.clear();
        deleteResult = ERROR_SUCCESS;
        hook = new testbed::ImportHook("ADVAPI32.dll", "RegDeleteKeyA", (void*)RecordDeleteKey);
        deleteHook = hook;
        ASSERT_TRUE(hook->installed());
    }
    void TearDown() override
    {
        delete hook;
        InProcessUninstaller::TearDown();
    }
    // Tree\A\A1, Tree\A\A2, Tree\B, each with a value.
    static void MakeTree(HKEY root)
    {
        for (const char* key : {"Software\\Tree\\A\\A1", "Software\\Tree\\A\\A2", "Software\\Tree\\B"})
            ASSERT_TRUE(testreg::WriteString(root, key, "v", "x"));
    }
    testbed::ImportHook* hook = NULL;
};

TEST_F(RemovalHelpers, TreeGoesDeepestFirstAndTheKeyLastUnderBothRoots)
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        deletedKeys.clear();
        MakeTree(root);
        DeleteRegistryTree(root, TREE);
        EXPECT_EQ((std::vector<std::string>{"Software\\Tree\\A\\A1", "Software\\Tree\\A\\A2",
                                             "Software\\Tree\\A", "Software\\Tree\\B", "Software\\Tree"}),
                  deletedKeys);
        EXPECT_FALSE(testreg::KeyExists(root, TREE));
        EXPECT_TRUE(testreg::KeyExists(root, "Software"));
    }
    deletedKeys.clear();
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, TREE);  // missing
    EXPECT_TRUE(deletedKeys.empty());
}

TEST_F(RemovalHelpers, TreeRemovalEndsWhenAKeyWillNotGoOrCannotBeEnumerated)
{
    MakeTree(HKEY_LOCAL_MACHINE);
    deleteResult = ERROR_ACCESS_DENIED;
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, TREE);
    EXPECT_EQ(std::vector<std::string>{"Software\\Tree\\A\\A1"}, deletedKeys);
    deleteResult = ERROR_SUCCESS;
    deletedKeys.clear();
    {
        testbed::ImportHook failing("ADVAPI32.dll", "RegEnumKeyExA", (void*)FailEnumeration);
        ASSERT_TRUE(failing.installed());
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, TREE);
    }
    EXPECT_TRUE(deletedKeys.empty());
    EXPECT_TRUE(testreg::KeyExists(HKEY_LOCAL_MACHINE, "Software\\Tree\\A\\A1"));
}

TEST_F(RemovalHelpers, ReadRegistryStringTerminatesOrLeavesTheBufferAlone)
{
    const char* key = "Software\\Values";
    ASSERT_TRUE(testreg::WriteString(HKEY_LOCAL_MACHINE, key, "text", "abc"));
    ASSERT_TRUE(testreg::Write(HKEY_LOCAL_MACHINE, key, "open3", REG_BINARY, "xyz", 3));
    struct Case {
        const char* key;
        const char* name;
        bool read;
        const char* buffer;
    } cases[] = {
        {key, "text", true, "abc"},
        {key, "open3", true, "xyz"},
        {key, "missing", false, "keep"},
        {"Software\\Missing", "text", false, "keep"},
    };
    for (const Case& c : cases) {
        char buffer[8] = "keep";
        EXPECT_EQ(c.read, ReadRegistryString(HKEY_LOCAL_MACHINE, c.key, c.name, buffer, sizeof(buffer))) << c.name;
        EXPECT_STREQ(c.buffer, buffer) << c.name;
    }
}

TEST_F(RemovalHelpers, FileInUseIsScheduledWithItsShortPath)
{
    std::string held = windows / "Long Held Name.DRV";
    ASSERT_TRUE(testfiles::Write(held, "driver"));
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    char shortPath[MAX_PATH];
    ASSERT_TRUE(GetShortPathNameA(held.c_str(), shortPath, sizeof(shortPath)));
    // A last line without its line end keeps it, ahead of the new line.
    ASSERT_TRUE(testfiles::Write(PendingFile(), "[rename]\r\nX=Y"));
    Uninstaller.restartNeeded = 0;
    DeleteFileOrSchedule(held.c_str());
    CloseHandle(holder);
    EXPECT_TRUE(testfiles::Exists(held));
    EXPECT_EQ("[rename]\r\nX=Y\r\nNUL=" + std::string(shortPath) + "\r\n", testfiles::Read(PendingFile()));
    EXPECT_EQ(1, Uninstaller.restartNeeded);
}

TEST_F(RemovalHelpers, FreeFileIsDeletedAndAMissingOneLeavesEverythingAlone)
{
    std::string free = windows / "FREE.DLL";
    ASSERT_TRUE(testfiles::Write(free, "x"));
    Uninstaller.restartNeeded = 0;
    DeleteFileOrSchedule(free.c_str());
    DeleteFileOrSchedule((windows / "MISSING.DLL").c_str());
    EXPECT_FALSE(testfiles::Exists(free));
    EXPECT_FALSE(testfiles::Exists(PendingFile()));
    EXPECT_EQ(0, Uninstaller.restartNeeded);
}

TEST_F(RemovalHelpers, PendingRenamesOfTheChosenHalvesGoAndEveryOtherByteStays)
{
    const std::string upper = "C:\\WINDOWS\\SYSTEM\\NRXCHG32.DLL=C:\\NRXCHG32.NRX\r\n";
    const std::string lower = "C:\\WINDOWS\\SYSTEM\\NRXCHG32.DLL=C:\\nrxchg32.nrx\r\n";
    const std::string qzn = "C:\\WINDOWS\\SYSTEM\\QZN.DRV=C:\\qznat.nrx\r\nC:\\W\\QZN.VXD=C:\\qzn98.nrx\r\n";
    const std::string qyn = "C:\\WINDOWS\\SYSTEM\\QYN.DRV=C:\\qyn.nrx\r\n";
    const std::string qxs = "C:\\WINDOWS\\SYSTEM\\QXS.DRV=C:\\qxsat.nrx\r\n";
    // Lines of other programs as no text-mode reader would keep them.
    const std::string others =
        "OTHER=LF only\nLONE=CR\rNUL=\0 inside\r\nCtrl+Z \x1A stays\r\n\x83\x5C\x95\x5C=\xFF\xFE\r\n"s;
    // 150 characters: a name after the 99th goes with its whole line; one
    // across the 99th is in neither piece.
    const std::string late = std::string(120, 'a') + "nrxutl.nrx" + std::string(20, 'b') + "\r\n";
    const std::string across = std::string(95, 'c') + "nrxutl.nrx" + std::string(45, 'd') + "\r\n";
    // A name that ends the first piece, and one that begins the second.
    const std::string edges = std::string(89, 'e') + "nrxutl.nrx\r\n" + std::string(99, 'f') + "nrxutl.nrx\r\n";
    struct Case {
        int driver, utility, board;
        std::string input, output;
    } cases[] = {
        {0, 1, 0, "[rename]\r\n" + lower + upper, "[rename]\r\n" + upper},
        {1, 0, 12, "[rename]\r\n" + qzn + qyn + lower, "[rename]\r\n" + qyn + lower},
        {1, 0, 0, "[rename]\r\n" + qxs + qzn, "[rename]\r\n" + qxs + qzn},
        {0, 0, 1, qxs + lower, qxs + lower},
        {0, 1, 0, others + late + others + across + edges + "NO=END", others + others + across + "NO=END"},
        {1, 1, 1, lower + others + qxs + "LAST=nrxvgchg.nrx", others},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(testfiles::Write(PendingFile(), c.input));
        FilterPendingRenames(c.driver, c.utility, c.board);
        EXPECT_EQ(c.output, testfiles::Read(PendingFile())) << c.driver << c.utility << " " << c.board;
        EXPECT_FALSE(testfiles::Exists(windows / "wininit.nrx"));
    }
}

TEST_F(RemovalHelpers, PendingFileIsCreatedWhenMissingAndKeptWhenItCannotBeReplaced)
{
    FilterPendingRenames(1, 1, 1);
    EXPECT_EQ("[rename]\r\n", testfiles::Read(PendingFile()));
    const std::string kept = "[rename]\r\nC:\\W\\NRXCHG32.DLL=C:\\nrxchg32.nrx\r\n";
    ASSERT_TRUE(testfiles::Write(PendingFile(), kept));
    SetFileAttributesA(PendingFile().c_str(), FILE_ATTRIBUTE_READONLY);
    FilterPendingRenames(0, 1, 0);
    EXPECT_EQ(kept, testfiles::Read(PendingFile()));
    EXPECT_FALSE(testfiles::Exists(windows / "wininit.nrx"));
}

}  // namespace
