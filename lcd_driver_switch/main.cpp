// Entry point of the LCD driver switcher ROTSEL; the command line is ignored.
#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return RunRotsel(instance);
}
