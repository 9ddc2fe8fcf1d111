// One modal interaction at a time: the count of open dialogs and boxes.
#include "modal.h"
#include "shell_state.h"

// Nested: a trial's question opens over the settings dialog.
static int openModals = 0;

INT_PTR RunModalDialog(HWND owner, UINT id, DLGPROC procedure, LPARAM parameter)
{
    ++openModals;
    INT_PTR result = DialogBoxParamA(Shell.instance, MAKEINTRESOURCEA(id), owner, procedure, parameter);
    --openModals;
    return result;
}

int RunMessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    ++openModals;
    int result = MessageBoxA(owner, text, caption, type);
    --openModals;
    return result;
}

bool ModalOpen()
{
    return openModals > 0;
}

// The innermost modal window is the one its modal loop left enabled: every
// outer one is its owner, disabled until it closes.
static BOOL CALLBACK FindEnabledDialog(HWND window, LPARAM found)
{
    char className[8];
    if (!IsWindowVisible(window) || !IsWindowEnabled(window) ||
        !GetClassNameA(window, className, sizeof(className)) || lstrcmpA(className, "#32770") != 0)
        return TRUE;
    *(HWND*)found = window;
    return FALSE;
}

void BringModalToFront()
{
    HWND found = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindEnabledDialog, (LPARAM)&found);
    if (found)
        SetForegroundWindow(found);
}
