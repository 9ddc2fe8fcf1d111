// The release as a user meets it: its files on a drive of their own (A:, as
// from the floppy disk) and the programs started from there. NRXVGCHG binds
// the NRXCHG32.DLL beside it; NRXDEL's first run relocates to the Windows
// directory, whose copy binds the test double and shows the dialog.
#include "resolution_changer_fixture.h"
#include "uninstaller_e2e_fixture.h"

namespace {

const char DRIVE[] = "A:\\";

using ReleaseDriveResolutionChanger = e2e::ResolutionChangerE2E;
using ReleaseDriveUninstaller = uninstaller_e2e::UninstallerE2E;

TEST_F(ReleaseDriveResolutionChanger, ShowsItsToolWindowAndTrayIcon)
{
    driver::Program program(std::string(DRIVE) + "NRXVGCHG.EXE");
    HWND window = Start(program);
    ASSERT_TRUE(window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(driver::WaitFor([&] { return driver::TrayIconShown(window, e2e::TRAY_ICON_ID); }));
    EXPECT_EQ(0, Exit(program, window));
}

TEST_F(ReleaseDriveUninstaller, ShowsItsSelectionDialog)
{
    driver::Program first(std::string(DRIVE) + "NRXDEL.EXE", DRIVE);
    ASSERT_TRUE(first.started());
    EXPECT_EQ(1, first.WaitForExit());
    EXPECT_EQ(DRIVE, uninstaller_e2e::BootDir());
    HWND dialog = uninstaller_e2e::FindSelectionDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(1, uninstaller_e2e::CancelAndWait(dialog));
}

}  // namespace
