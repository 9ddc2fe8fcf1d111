// Dialog 101 in-process on a scratch registry: which check boxes can be
// chosen, when OK is enabled, that cancelling forgets only "BootDir" and
// that OK runs the uninstall, whose final message ends the dialog.
// The dialog runs modally on the test thread; another thread plays the user.
#include "center_window.h"
#include "driver.h"
#include "resource.h"
#include "selection_dialog.h"
#include "uninstaller_fixture.h"

#include <functional>
#include <string>
#include <thread>

namespace {

const char INSTALL_KEY_PATH[] = "SOFTWARE\\NORIX\\DISPLAY";
const char DRIVER_KEY[] = "SOFTWARE\\NORIX\\DISPLAY\\DRIVER";
const char UTILITY_KEY[] = "SOFTWARE\\NORIX\\DISPLAY\\UTILITY";

bool Enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

void Click(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

class SelectionDialog : public InProcessUninstaller {
protected:
    // Shows the dialog while `play` acts on it; a dialog left open is cancelled.
    INT_PTR Run(std::function<void(HWND)> play)
    {
        std::thread player([&] {
            HWND dialog = driver::WaitForDialog(GetCurrentProcessId(), "ｱﾝｲﾝｽﾄｰﾙ");
            ASSERT_TRUE(dialog);
            play(dialog);
            if (IsWindow(dialog))
                driver::PostCommand(dialog, IDCANCEL);
        });
        INT_PTR result = ShowSelectionDialog();
        player.join();
        return result;
    }
    void MakeRecords(bool driver, bool utility)
    {
        ASSERT_TRUE(testreg::WriteString(HKEY_LOCAL_MACHINE, INSTALL_KEY_PATH, "BootDir", "C:\\NORIX\\QX-T"));
        if (driver)
            ASSERT_TRUE(testreg::WriteString(HKEY_LOCAL_MACHINE, DRIVER_KEY, "Counter", "0"));
        if (utility)
            ASSERT_TRUE(testreg::WriteString(HKEY_LOCAL_MACHINE, UTILITY_KEY, "Counter", "0"));
    }
};

TEST_F(SelectionDialog, HalvesWithoutRecordsCannotBeChosenAndOkNeedsAChoice)
{
    struct Case {
        bool driver, utility;
    } cases[] = {{false, false}, {true, false}, {false, true}, {true, true}};
    for (const Case& c : cases) {
        testreg::DeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE");
        MakeRecords(c.driver, c.utility);
        EXPECT_EQ(1, Run([&](HWND dialog) {
            EXPECT_EQ(c.driver, Enabled(dialog, IDC_UNINSTALL_DRIVER));
            EXPECT_EQ(c.utility, Enabled(dialog, IDC_UNINSTALL_UTILITY));
            EXPECT_FALSE(Enabled(dialog, IDOK));
            EXPECT_FALSE(IsDlgButtonChecked(dialog, IDC_UNINSTALL_DRIVER));
            EXPECT_FALSE(IsDlgButtonChecked(dialog, IDC_UNINSTALL_UTILITY));
        }));
        // Cancelling forgets the start directory and nothing else.
        EXPECT_FALSE(testreg::Read(HKEY_LOCAL_MACHINE, INSTALL_KEY_PATH, "BootDir").present);
        EXPECT_TRUE(testreg::KeyExists(HKEY_LOCAL_MACHINE, INSTALL_KEY_PATH));
        EXPECT_EQ(c.driver, testreg::KeyExists(HKEY_LOCAL_MACHINE, DRIVER_KEY));
    }
}

TEST_F(SelectionDialog, ChecksAreRecordedAndOkRunsTheUninstallThatEndsTheDialog)
{
    MakeRecords(true, true);
    EXPECT_EQ(1, Run([&](HWND dialog) {
        Click(dialog, IDC_UNINSTALL_DRIVER);
        EXPECT_TRUE(Enabled(dialog, IDOK));
        EXPECT_EQ(1, Uninstaller.driverSelected);
        Click(dialog, IDC_UNINSTALL_DRIVER);
        EXPECT_FALSE(Enabled(dialog, IDOK));
        Click(dialog, IDC_UNINSTALL_UTILITY);
        EXPECT_TRUE(Enabled(dialog, IDOK));
        EXPECT_EQ(0, Uninstaller.driverSelected);
        EXPECT_EQ(1, Uninstaller.utilitySelected);
        // Records that vanish are seen at the next message of any kind.
        testreg::DeleteTree(HKEY_LOCAL_MACHINE, DRIVER_KEY);
        SendMessageA(dialog, WM_NULL, 0, 0);
        EXPECT_FALSE(Enabled(dialog, IDC_UNINSTALL_DRIVER));
        Click(dialog, IDOK);
        // The final message comes over the dialog, which it ends.
        HWND box = NULL;
        EXPECT_TRUE(driver::WaitFor([&] {
            for (HWND window : driver::ProcessWindows(GetCurrentProcessId(), "#32770", "ｱﾝｲﾝｽﾄｰﾙ"))
                if (window != dialog && IsWindowVisible(window))
                    box = window;
            return box != NULL;
        }));
        EXPECT_EQ(dialog, GetWindow(box, GW_OWNER));
        driver::PostCommand(box, IDCANCEL);
        EXPECT_TRUE(driver::WaitUntilGone(dialog));
    }));
    EXPECT_FALSE(testreg::KeyExists(HKEY_LOCAL_MACHINE, INSTALL_KEY_PATH));
}

TEST(CenterWindow, KeepsTheSizeAndTruncatesTowardZero)
{
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int sizes[][2] = {{201, 101}, {screenWidth + 177, screenHeight + 3}};
    for (const auto& size : sizes) {
        HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 3, 5, size[0], size[1], NULL, NULL,
                                      NULL, NULL);
        ASSERT_TRUE(window);
        CenterWindow(window);
        RECT r;
        GetWindowRect(window, &r);
        EXPECT_EQ((screenWidth - size[0]) / 2, r.left);  // -88 for the wide one, not -89
        EXPECT_EQ((screenHeight - size[1]) / 2, r.top);
        EXPECT_EQ(size[0], r.right - r.left);
        EXPECT_EQ(size[1], r.bottom - r.top);
        DestroyWindow(window);
    }
}

}  // namespace
