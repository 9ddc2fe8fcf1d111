// The DDE conversation with Program Manager.
#include "progman_client.h"

static const char PROGMAN_NAME[] = "PROGMAN";  // service and topic
static const char PROGMAN_PROGRAM[] = "PROGMAN.EXE";
static const char PROGMAN_WINDOW_CLASS[] = "Progman";
static const char SHOW_GROUP_FORMAT[] = "[ShowGroup(%s,%d)]";
static const char DELETE_ITEM_FORMAT[] = "[DeleteItem(%s)]";
static const DWORD EXECUTE_TIMEOUT = 10000;
// What "%d" can take, sign included.
static const int NUMBER_DIGITS = 11;

// A client gets no transactions worth answering.
static HDDEDATA CALLBACK ProgmanCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return 0;
}

ProgmanClient::ProgmanClient() : instance_(0), conversation_(NULL), startedProgman_(0)
{
    if (DdeInitializeA(&instance_, ProgmanCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        instance_ = 0;
}

ProgmanClient::~ProgmanClient()
{
    if (conversation_)
        Disconnect();
    if (instance_)
        DdeUninitialize(instance_);
}

bool ProgmanClient::Connect()
{
    if (conversation_)
        return true;
    // Without DDEML there is nobody to talk to: start no Program Manager.
    if (!instance_)
        return false;
    HSZ service = DdeCreateStringHandleA(instance_, PROGMAN_NAME, CP_WINANSI);
    HSZ topic = DdeCreateStringHandleA(instance_, PROGMAN_NAME, CP_WINANSI);
    startedProgman_ = 0;
    conversation_ = DdeConnect(instance_, service, topic, NULL);
    if (!conversation_) {
        WinExec(PROGMAN_PROGRAM, SW_SHOWNORMAL);
        startedProgman_ = 1;
        conversation_ = DdeConnect(instance_, service, topic, NULL);
    }
    if (service)
        DdeFreeStringHandle(instance_, service);
    if (topic)
        DdeFreeStringHandle(instance_, topic);
    return conversation_ != NULL;
}

// Formats into the command buffer; a name that would not fit sends nothing.
bool ProgmanClient::ExecuteFormatted(const char* format, const char* name, int number)
{
    if (lstrlenA(format) + lstrlenA(name) + NUMBER_DIGITS >= PROGMAN_COMMAND_SIZE)
        return false;
    char command[PROGMAN_COMMAND_SIZE];
    wsprintfA(command, format, name, number);
    return Execute(command);
}

bool ProgmanClient::ShowGroup(const char* group, int showCommand)
{
    return ExecuteFormatted(SHOW_GROUP_FORMAT, group, showCommand);
}

bool ProgmanClient::DeleteItem(const char* item)
{
    return ExecuteFormatted(DELETE_ITEM_FORMAT, item, 0);
}

bool ProgmanClient::Execute(const char* command)
{
    if (!conversation_)
        return false;
    HDDEDATA result = DdeClientTransaction((LPBYTE)command, lstrlenA(command) + 1, conversation_,
                                           NULL, CF_TEXT, XTYP_EXECUTE, EXECUTE_TIMEOUT, NULL);
    return result == (HDDEDATA)TRUE;
}

void ProgmanClient::Disconnect()
{
    if (!conversation_)
        return;
    DdeDisconnect(conversation_);
    conversation_ = NULL;
    if (startedProgman_) {
        HWND progman = FindWindowA(PROGMAN_WINDOW_CLASS, NULL);
        if (progman)
            PostMessageA(progman, WM_CLOSE, 0, 0);
        startedProgman_ = 0;
    }
}
