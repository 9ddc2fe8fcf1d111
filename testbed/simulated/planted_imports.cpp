// An image the image check must refuse: it links the C runtime DLL and
// imports a function that Windows 95 lacks.
#include <windows.h>

#include <stdio.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, NULL, 0};
    printf("%d\n", TrackMouseEvent(&track));
    return 0;
}
