// A program on the shipped programs' own entry point that reports what its
// WinMain was given, in its exit code: the show command in the low byte,
// 0x100 when the command line (program name skipped) is exactly the one
// tests pass, and 0x200 when the instance is the module's own.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    int code = showCommand & 0xFF;
    if (lstrcmpA(commandLine, "alpha \"b c\"") == 0)
        code |= 0x100;
    if (instance == GetModuleHandleA(NULL) && previous == NULL)
        code |= 0x200;
    return code;
}
