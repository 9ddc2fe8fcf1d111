// The DDE conversation with Program Manager (service and topic "PROGMAN")
// through which the uninstall removes program items.
#ifndef NRXDEL_PROGMAN_CLIENT_H
#define NRXDEL_PROGMAN_CLIENT_H

#include <windows.h>
#include <ddeml.h>

// Room for one command, as sent with its terminator.
const int PROGMAN_COMMAND_SIZE = 300;

class ProgmanClient {
public:
    // Initialises DDEML as a client only; not connected yet.
    ProgmanClient();
    // Disconnects (closing a Program Manager it started) and ends DDEML.
    ~ProgmanClient();
    // Succeeds at once when connected. Otherwise connects, starting
    // PROGMAN.EXE and trying once more when no server answers.
    bool Connect();
    // "[ShowGroup(group,showCommand)]": the group becomes the active one.
    bool ShowGroup(const char* group, int showCommand);
    // "[DeleteItem(item)]" of the active group.
    bool DeleteItem(const char* item);
    // Sends `command` (CF_TEXT, with its NUL), waiting at most 10 s; true
    // only when the server answers exactly TRUE.
    bool Execute(const char* command);
    // Ends the conversation; a Program Manager this object started is closed.
    void Disconnect();

    HCONV conversation() const { return conversation_; }
    bool startedProgramManager() const { return startedProgman_ != 0; }

private:
    ProgmanClient(const ProgmanClient&);
    ProgmanClient& operator=(const ProgmanClient&);
    bool ExecuteFormatted(const char* format, const char* name, int number);

    DWORD instance_;
    HCONV conversation_;
    int startedProgman_;
};

#endif
