// Board and machine identification of the uninstaller: the model table, the
// PC-98 keyboard rule, and what the relocated copy makes of "BootDir" and of
// the running hardware tree (scratch registry).
#include "ascii_text.h"
#include "board.h"
#include "startup.h"
#include "uninstaller_fixture.h"

#include <string>

namespace {

const char INSTALL_KEY_PATH[] = "Software\\NORIX\\DISPLAY";
const char DEVICES[] = "Config Manager\\Enum";

TEST(BoardModelTable, LastMatchingRowWinsAndNamesAreCaseSensitive)
{
    struct Case {
        const char* bootDir;
        int boardCode;
        const char* hardwareId;
    } cases[] = {
        {"C:\\NORIX\\QX-S", 1, "PCI\\VEN_5333&DEV_5631"},
        {"C:\\NORIX\\QX-S R2", 3, "PCI\\VEN_5333&DEV_8A01"},
        {"D:\\QZ-NN\\DISK1", 14, "PCI\\VEN_3D3D&DEV_0009"},
        {"C:\\QX-S4K-B", 5, "PCI\\VEN_5333&DEV_8C01"},
        {"A:\\QY-NN", 15, "PCI\\VEN_3D3D&DEV_0009"},
        {"C:\\NORIX\\qx-s r2", 0, "unset"},
        {"", 0, "unset"},
    };
    for (const Case& c : cases) {
        char hardwareId[HARDWARE_ID_SIZE] = "unset";
        EXPECT_EQ(c.boardCode, MatchBoardModel(c.bootDir, hardwareId, sizeof(hardwareId))) << c.bootDir;
        EXPECT_STREQ(c.hardwareId, hardwareId) << c.bootDir;
    }
}

TEST(MachineType, AnyOfTheBits0D00MeansPc98)
{
    const int cases[][2] = {{0x0D01, MACHINE_PC98}, {0x0100, MACHINE_PC98}, {0x0400, MACHINE_PC98},
                            {0x0800, MACHINE_PC98}, {0x0002, MACHINE_PCAT}, {0x0200, MACHINE_PCAT},
                            {0x0000, MACHINE_PCAT}, {0x70FF, MACHINE_PCAT}};
    for (const auto& c : cases)
        EXPECT_EQ(c[1], MachineTypeForKeyboardSubtype(c[0])) << std::hex << c[0];
    // Wine's keyboard is a PC/AT one.
    EXPECT_EQ(MACHINE_PCAT, DetectMachineType());
}

TEST(AsciiText, CaseIsIgnoredForAsciiLettersOnly)
{
    EXPECT_TRUE(SameTextIgnoringAsciiCase("C:\\Windows", "C:\\WINDOWS"));
    EXPECT_FALSE(SameTextIgnoringAsciiCase("C:\\WINDOWS", "C:\\WINDOWS\\"));
    // ア (83 41) and a 83 61 pair differ only in a second byte that looks like a letter.
    EXPECT_FALSE(SameTextIgnoringAsciiCase("C:\\\x83\x41", "C:\\\x83\x61"));
    EXPECT_TRUE(StartsWithIgnoringAsciiCase("pci\\ven_5333&dev_8a01\\0", "PCI\\VEN_5333&DEV_8A01"));
    EXPECT_FALSE(StartsWithIgnoringAsciiCase("PCI\\VEN_5333", "PCI\\VEN_5333&DEV_8A01"));
}

class BoardIdentification : public InProcessUninstaller {
protected:
    void AddDevice(const std::string& node, const char* hardwareKey)
    {
        ASSERT_TRUE(testreg::WriteString(HKEY_DYN_DATA, (std::string(DEVICES) + "\\" + node).c_str(),
                                         "HardWareKey", hardwareKey));
    }
    void SetBootDir(DWORD type, const std::string& bytes)
    {
        ASSERT_TRUE(testreg::Write(HKEY_LOCAL_MACHINE, INSTALL_KEY_PATH, "BootDir", type, bytes.data(),
                                   (DWORD)bytes.size()));
    }
};

TEST_F(BoardIdentification, TheBoardInTheRunningTreeKeepsTheRestart)
{
    struct Case {
        const char* bootDir;  // NULL: no value
        const char* device;   // NULL: an empty tree
        int boardCode, restartNeeded;
    } cases[] = {
        {"C:\\NORIX\\QX-S R2", "pci\\ven_5333&dev_8a01&subsys_0\\000800", 3, 1},
        {"C:\\NORIX\\QX-S R2", "PCI\\VEN_5333&DEV_5631\\000800", 3, 0},
        {"C:\\NORIX\\QX-S R2", NULL, 3, 0},
        // No model: the empty id, which every device begins with.
        {NULL, "ROOT\\*PNP0000\\0000", 0, 1},
        {NULL, NULL, 0, 0},
    };
    for (const Case& c : cases) {
        testreg::DeleteTree(HKEY_LOCAL_MACHINE, "Software");
        testreg::DeleteTree(HKEY_DYN_DATA, "Config Manager");
        if (c.bootDir)
            SetBootDir(REG_SZ, std::string(c.bootDir) + '\0');
        if (c.device)
            AddDevice("PCI", c.device);
        Uninstaller.restartNeeded = 1;
        Uninstaller.bootDir[0] = '\0';
        IdentifyBoard();
        EXPECT_EQ(c.boardCode, Uninstaller.boardCode) << c.bootDir << " " << c.device;
        EXPECT_EQ(c.restartNeeded, Uninstaller.restartNeeded) << c.bootDir << " " << c.device;
        EXPECT_STREQ(c.bootDir ? c.bootDir : "", Uninstaller.bootDir);
        EXPECT_EQ(MACHINE_PCAT, Uninstaller.machineType);
    }
}

TEST_F(BoardIdentification, OversizeOrUnterminatedBootDirIsReadSafely)
{
    struct Case {
        std::string bytes;
        const char* bootDir;
        int boardCode;
    } cases[] = {
        // Unterminated but with room for the terminator.
        {std::string(250, 'x') + "QZ-NN\\" + "ab", nullptr, 14},
        // 260 bytes without a terminator, and longer than the buffer: not read.
        {std::string(255, 'x') + "QX-T\\", "", 0},
        {std::string(296, 'x') + "QX-T", "", 0},
    };
    for (const Case& c : cases) {
        SetBootDir(REG_BINARY, c.bytes);
        Uninstaller.bootDir[0] = '\0';
        IdentifyBoard();
        EXPECT_EQ(c.bootDir ? std::string(c.bootDir) : c.bytes, std::string(Uninstaller.bootDir));
        EXPECT_EQ(c.boardCode, Uninstaller.boardCode) << c.bytes.size();
    }
}

}  // namespace
