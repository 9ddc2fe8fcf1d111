// ProgmanClient against Wine's own Program Manager DDE server: items that
// the set-up creates over DDE (cp932 names) are deleted by ShowGroup and
// DeleteItem. Every group is created before any AddItem, and the explorer
// windows that CreateGroup and ShowGroup open are closed again.
#include "group_windows.h"
#include "progman_client.h"
#include "scratch_files.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string ProgramsFolder()
{
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(NULL, path, CSIDL_PROGRAMS, FALSE);
    return path;
}

std::string ItemFile(const std::string& group, const std::string& item)
{
    return ProgramsFolder() + "\\" + group + "\\" + item + ".lnk";
}

TEST(ProgmanClient, GroupItemsAreDeletedAndAFailedCommandDoesNotStopTheNext)
{
    struct Case {
        const char* group;
        std::vector<const char*> items;
    } cases[] = {
        {"ﾉﾘｯｸｽ表示ソフト", {"ｱﾝｲﾝｽﾄｰﾗ", "Read Me"}},
        {"ｽﾀｰﾄｱｯﾌﾟ", {"ﾚｿﾞﾙｳﾞｧ", "LCD ﾚｿﾞﾙｳﾞｧ"}},
    };
    for (const Case& c : cases) {
        ProgmanClient client;
        ASSERT_TRUE(client.Connect());
        ASSERT_TRUE(client.Execute(("[CreateGroup(" + std::string(c.group) + ")]").c_str()));
        for (const char* item : c.items)
            ASSERT_TRUE(client.Execute(("[AddItem(C:\\windows\\notepad.exe," + std::string(item) + ")]").c_str()));
        for (const char* item : c.items)
            ASSERT_TRUE(testfiles::Exists(ItemFile(c.group, item))) << item;
        EXPECT_TRUE(client.ShowGroup(c.group, 1));
        EXPECT_FALSE(client.DeleteItem("ない項目"));
        for (const char* item : c.items) {
            EXPECT_TRUE(client.DeleteItem(item)) << item;
            EXPECT_FALSE(testfiles::Exists(ItemFile(c.group, item))) << item;
        }
        // The two windows CreateGroup and ShowGroup open; now and then Wine's
        // explorer never opens one, which is no fault of the client.
        testbed::CloseGroupWindows(c.group, 2);
        client.Execute(("[DeleteGroup(" + std::string(c.group) + ")]").c_str());
        client.Disconnect();
        EXPECT_FALSE(client.conversation());
    }
}

TEST(ProgmanClient, ConnectingAgainKeepsTheConversationAndStartsNothing)
{
    ProgmanClient client;
    EXPECT_FALSE(client.Execute("[ShowGroup(x,1)]"));  // not connected: nothing goes out
    ASSERT_TRUE(client.Connect());
    HCONV first = client.conversation();
    EXPECT_TRUE(client.Connect());
    EXPECT_EQ(first, client.conversation());
    EXPECT_FALSE(client.startedProgramManager());
}

TEST(ProgmanClient, GroupNamesUpTo255BytesFitTheCommand)
{
    ProgmanClient client;
    ASSERT_TRUE(client.Connect());
    // Groups that do not exist: Wine answers TRUE and opens no window.
    EXPECT_TRUE(client.ShowGroup(std::string(255, 'G').c_str(), 1));
    EXPECT_FALSE(client.ShowGroup(std::string(290, 'G').c_str(), 1));
    EXPECT_FALSE(client.DeleteItem(std::string(290, 'I').c_str()));
}

}  // namespace
