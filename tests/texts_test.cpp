// Message boxes: the icon rule and the missing-string behaviour.
#include "resource.h"
#include "shell_state.h"
#include "texts.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxType, PlainButtonSetsWithoutIconGetTheExclamationMark)
{
    struct Case {
        UINT type, shown;
    } cases[] = {
        {MB_OK, MB_OK | MB_ICONEXCLAMATION},
        {MB_OKCANCEL, MB_OKCANCEL | MB_ICONEXCLAMATION},
        {MB_YESNOCANCEL, MB_YESNOCANCEL | MB_ICONEXCLAMATION},
        {MB_YESNO, MB_YESNO | MB_ICONEXCLAMATION},
        {MB_ABORTRETRYIGNORE, MB_ABORTRETRYIGNORE},
        {MB_RETRYCANCEL, MB_RETRYCANCEL},
        {MB_ICONHAND, MB_ICONHAND},
        {MB_OKCANCEL | MB_ICONASTERISK, MB_OKCANCEL | MB_ICONASTERISK},
        {MB_YESNO | MB_ICONEXCLAMATION, MB_YESNO | MB_ICONEXCLAMATION},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.shown, MessageBoxType(c.type)) << std::hex << c.type;
}

TEST(Texts, MissingStringsGiveEmptyTextAndNoBox)
{
    Shell.instance = GetModuleHandleA(NULL);
    EXPECT_STREQ("ﾉﾘｯｸｽ", LoadText(IDS_TITLE));
    EXPECT_STREQ("", LoadText(1015));
    EXPECT_EQ(-1, ShowMessage(NULL, 1015, MB_OK));
}

TEST(Texts, CenterDialogKeepsTheSizeAndCentresOnTheFullScreenArea)
{
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 3, 5, 201, 101, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(window);
    CenterDialog(window);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN) / 2 - 100, r.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN) / 2 - 50, r.top);
    EXPECT_EQ(201, r.right - r.left);
    EXPECT_EQ(101, r.bottom - r.top);
    DestroyWindow(window);
}

}  // namespace
