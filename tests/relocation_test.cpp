// The first run's relocation in-process, on scratch folders standing for the
// start and Windows directories: "BootDir" is recorded, and each way it can
// fail shows its message and ends with 0.
#include "box_answerer.h"
#include "startup.h"
#include "uninstaller_fixture.h"

#include <string>

namespace {

const char INSTALL_KEY_PATH[] = "Software\\NORIX\\DISPLAY";
const char CANNOT_START[] = "ｱﾝｲﾝｽﾄｰﾗを起動できません。\nｱﾝｲﾝｽﾄｰﾙを中止します。";
const char CANNOT_SET_DIRECTORY[] = "カレントディレクトリをセットできません。\nｱﾝｲﾝｽﾄｰﾙを中止します。";

class Relocation : public InProcessUninstaller {
protected:
    void SetUp() override
    {
        InProcessUninstaller::SetUp();
        lstrcpynA(Uninstaller.startDirectory, start.path().c_str(), PATH_SIZE);
    }
    // Relocates and expects one error box with `message`; the result.
    int RelocateExpectingFailure(const char* message)
    {
        driver::BoxAnswerer answerer;
        answerer.Queue(IDOK);
        int result = RelocateToWindowsDir();
        std::vector<driver::SeenBox> seen = answerer.Seen();
        EXPECT_EQ(1u, seen.size());
        if (seen.size() == 1) {
            EXPECT_EQ("ｱﾝｲﾝｽﾄｰﾙ", seen[0].title);
            EXPECT_EQ(message, seen[0].text);
            EXPECT_EQ(LoadIconA(NULL, IDI_HAND), seen[0].icon);
            EXPECT_EQ(NULL, seen[0].owner);
        }
        return result;
    }
    testfiles::ScratchFolder start{"nrxdel_start"};
};

TEST_F(Relocation, MissingProgramFileWithoutTheInstallKeyRecordsNothing)
{
    EXPECT_EQ(0, RelocateExpectingFailure(CANNOT_START));
    EXPECT_FALSE(testreg::KeyExists(HKEY_LOCAL_MACHINE, INSTALL_KEY_PATH));
}

TEST_F(Relocation, CopyThatWillNotRunCannotStart)
{
    ASSERT_TRUE(testfiles::Write(start / "NRXDEL.EXE", "not a program"));
    EXPECT_EQ(0, RelocateExpectingFailure(CANNOT_START));
    EXPECT_EQ("not a program", testfiles::Read(windows / "NRXDEL.EXE"));
}

TEST_F(Relocation, WindowsDirectoryThatCannotBeCurrentStopsBeforeStarting)
{
    // The file system takes a trailing space inside a path; SetCurrentDirectoryA drops it.
    std::string spaced = windows / "spaced ";
    ASSERT_TRUE(testfiles::MakeFolder(spaced));
    SetWindowsDirectory(spaced);
    ASSERT_TRUE(testfiles::Write(start / "NRXDEL.EXE", "not a program"));
    EXPECT_EQ(0, RelocateExpectingFailure(CANNOT_SET_DIRECTORY));
    EXPECT_TRUE(testfiles::Exists(spaced + "\\NRXDEL.EXE"));
}

}  // namespace
