// Keeps the test bed's Wine virtual desktop open between test programs: the
// desktop closes (and resets its display mode) when its last program ends.
// It runs with no standard handles inherited, so the system processes Wine
// starts with it hold no test runner's pipe.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CreateWindowExA(0, "STATIC", "desktop keeper", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
