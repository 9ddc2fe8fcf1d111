// NRXDEL's Program Manager client in this process: the conversation the
// uninstall holds around each group of commands, against Wine's own server,
// and against none (connections go to a service nobody serves, and the
// Program Manager it would start is only noted).
#include "group_windows.h"
#include "import_hook.h"
#include "progman_client.h"
#include "soak_parts.h"

#include <memory>
#include <string>

namespace {

const char GROUP[] = "ﾉﾘｯｸｽ ｿｰｸ";
const char ITEM[] = "ｱﾝｲﾝｽﾄｰﾗ";
const std::string ADD_ITEM = std::string("[AddItem(C:\\windows\\notepad.exe,") + ITEM + ")]";

testbed::ImportHook* connectHook = NULL;

HCONV WINAPI ConnectToNobody(DWORD instance, HSZ, HSZ, PCONVCONTEXT context)
{
    HSZ service = DdeCreateStringHandleA(instance, "NRXNOBODY", CP_WINANSI);
    HCONV conversation =
        connectHook->original<HCONV(WINAPI*)(DWORD, HSZ, HSZ, PCONVCONTEXT)>()(instance, service, service, context);
    DdeFreeStringHandle(instance, service);
    return conversation;
}

UINT WINAPI StartNothing(LPCSTR, UINT)
{
    return ERROR_FILE_NOT_FOUND;
}

// One conversation as the uninstall holds it: an item is there to delete.
bool Conversation(ProgmanClient& client)
{
    bool held = client.Connect() && client.ShowGroup(GROUP, 1) && client.Execute(ADD_ITEM.c_str()) &&
                client.DeleteItem(ITEM);
    client.Disconnect();
    // Wine's explorer opens a window on the group for every ShowGroup, from
    // a process of its own and a moment later: those that came are closed.
    for (HWND window : testbed::GroupWindows(GROUP))
        PostMessageA(window, WM_CLOSE, 0, 0);
    return held;
}

bool ConversationWithNobody(ProgmanClient& client)
{
    bool refused = !client.Connect() && !client.ShowGroup(GROUP, 1) && !client.DeleteItem(ITEM);
    client.Disconnect();
    return refused;
}

}  // namespace

namespace soak {

bool SoakProgmanClient(double scale)
{
    Subject subject = {"NRXDEL", NULL};
    bool held;
    {
        ProgmanClient client;
        // Every command but CreateGroup and ShowGroup needs a group first.
        if (!client.Connect() || !client.Execute((std::string("[CreateGroup(") + GROUP + ")]").c_str())) {
            std::printf("NRXDEL: no Program Manager conversation\n");
            return false;
        }
        client.Disconnect();
        testbed::CloseGroupWindows(GROUP, 1);
        Action conversations = {"Program Manager: connect, show, delete an item, disconnect", 1000,
                                [&](int) { return Conversation(client); }};
        // The last group window to come, and its explorer process gone
        // with the window classes (global atoms) it registered.
        conversations.settle = [] { testbed::CloseGroupWindows(GROUP, 1); };
        held = Run(subject, conversations, scale);
        client.Connect();
        client.Execute((std::string("[DeleteGroup(") + GROUP + ")]").c_str());
        client.Disconnect();
    }
    {
        testbed::ImportHook connect("USER32.dll", "DdeConnect", (void*)ConnectToNobody);
        testbed::ImportHook start("KERNEL32.dll", "WinExec", (void*)StartNothing);
        connectHook = &connect;
        ProgmanClient client;
        held = connect.installed() && start.installed() &&
               Run(subject, {"Program Manager absent: the same conversation refused", 100,
                             [&](int) { return ConversationWithNobody(client); }, 0,
                             // the client tries again once it has started Program Manager
                             2},
                   scale) &&
               held;
    }
    return held;
}

}  // namespace soak
