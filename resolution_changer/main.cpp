// Entry point of the resolution changer NRXVGCHG.
#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    return RunProgram(instance, showCommand);
}
