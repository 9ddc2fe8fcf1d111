// The entry point of every shipped program: what the C runtime's start-up
// would do, done with KERNEL32 alone, so that the image needs no runtime DLL
// (the first Windows 95 release ships none).
#include <windows.h>

#include "static_constructors.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

// The command line after the program name, as WinMain receives it.
static char* SkipProgramName(char* line)
{
    if (*line == '"') {
        ++line;
        while (*line && *line != '"')
            ++line;
        if (*line == '"')
            ++line;
    } else {
        while (*line && *line != ' ' && *line != '\t')
            ++line;
    }
    while (*line == ' ' || *line == '\t')
        ++line;
    return line;
}

// The show command the starter asked for; without one the program decides.
static int StartupShowCommand()
{
    STARTUPINFOA startup;
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

extern "C" void WINAPI ProgramEntry()
{
    RunStaticConstructors();
    int code = WinMain(GetModuleHandleA(NULL), NULL, SkipProgramName(GetCommandLineA()),
                       StartupShowCommand());
    ExitProcess((UINT)code);
}
