// Entry point of the LCD orientation changer PIVOTER; the command line is ignored.
#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return RunPivoter(instance);
}
