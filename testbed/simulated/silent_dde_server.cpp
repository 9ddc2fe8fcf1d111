// A DDE server that never answers, for the uninstaller's Program Manager
// client: it takes every conversation on service and topic "NRXSILENT" and
// finishes no command (each execute stays blocked), until its window is
// closed or a minute has passed.
#include <windows.h>
#include <ddeml.h>

static const char WINDOW_CLASS[] = "NrxSilentDdeServer";  // there once the service is registered
static const UINT LIFETIME = 60000;

static HDDEDATA CALLBACK Serve(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    switch (type) {
    case XTYP_CONNECT:
        return (HDDEDATA)TRUE;
    case XTYP_EXECUTE:
        return (HDDEDATA)CBR_BLOCK;
    }
    return NULL;
}

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE || message == WM_TIMER) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    DWORD dde = 0;
    if (DdeInitializeA(&dde, Serve, APPCLASS_STANDARD, 0) != DMLERR_NO_ERROR)
        return 1;
    HSZ name = DdeCreateStringHandleA(dde, "NRXSILENT", CP_WINANSI);
    DdeNameService(dde, name, NULL, DNS_REGISTER);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = WINDOW_CLASS;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, WINDOW_CLASS, NULL, WS_POPUP, 0, 0, 1, 1, NULL, NULL, instance, NULL);
    SetTimer(window, 1, LIFETIME, NULL);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0)
        DispatchMessageA(&message);
    DdeNameService(dde, NULL, NULL, DNS_UNREGISTER);
    DdeFreeStringHandle(dde, name);
    DdeUninitialize(dde);
    return 0;
}
