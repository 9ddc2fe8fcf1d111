// A program on the shipped programs' own entry point that reports what its
// WinMain was given, in its exit code: the show command in the low byte,
// 0x100 when the command line (program name skipped) is exactly the one
// tests pass, and 0x200 when the instance is the module's own; 0x800 alone
// when the runtime's memmove got an overlapping move wrong.
#include <windows.h>

#include <string.h>

// Sizes the compiler cannot see, so the runtime's own functions are called.
static bool MovesOverlappingMemory()
{
    volatile size_t count = 6;
    char up[] = "abcdefgh", down[] = "abcdefgh";
    memmove(up + 2, up, count);
    memmove(down, down + 2, count);
    return lstrcmpA(up, "ababcdef") == 0 && lstrcmpA(down, "cdefghgh") == 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    if (!MovesOverlappingMemory())
        return 0x800;
    int code = showCommand & 0xFF;
    if (lstrcmpA(commandLine, "alpha \"b c\"") == 0)
        code |= 0x100;
    if (instance == GetModuleHandleA(NULL) && previous == NULL)
        code |= 0x200;
    return code;
}
