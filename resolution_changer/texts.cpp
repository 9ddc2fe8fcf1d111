// Texts from the string table, message boxes and dialog placement.
#include "texts.h"
#include "modal.h"
#include "shell_state.h"

const char MESSAGE_CAPTION[] = "ﾚｿﾞﾙ ｳﾞｧ";

static char textBuffer[64];

const char* LoadText(UINT id)
{
    if (LoadStringA(Shell.instance, id, textBuffer, sizeof(textBuffer)) <= 0)
        textBuffer[0] = '\0';
    return textBuffer;
}

UINT MessageBoxType(UINT type)
{
    UINT buttons = type & MB_TYPEMASK;
    bool plainButtons = buttons == MB_OK || buttons == MB_OKCANCEL ||
                        buttons == MB_YESNOCANCEL || buttons == MB_YESNO;
    if ((type & MB_ICONMASK) == 0 && plainButtons)
        type |= MB_ICONEXCLAMATION;
    return type;
}

int ShowMessage(HWND owner, UINT id, UINT type)
{
    char text[256];
    if (LoadStringA(Shell.instance, id, text, sizeof(text)) <= 0)
        return -1;
    return RunMessageBox(owner, text, MESSAGE_CAPTION, MessageBoxType(type));
}

void CenterDialog(HWND dialog)
{
    RECT r;
    GetWindowRect(dialog, &r);
    // Each half is truncated towards zero on its own, as C division does.
    int left = GetSystemMetrics(SM_CXFULLSCREEN) / 2 + (r.left - r.right) / 2;
    int top = GetSystemMetrics(SM_CYFULLSCREEN) / 2 + (r.top - r.bottom) / 2;
    MoveWindow(dialog, left, top, r.right - r.left, r.bottom - r.top, TRUE);
}
