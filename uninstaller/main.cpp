// Entry point of the uninstaller NRXDEL.
#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return RunUninstaller(instance);
}
