// The about box, dialog 103: the program's title, version and legal notice
// come from its string table.
#include "about.h"
#include "resource.h"
#include "switch_dialogs.h"
#include "switcher_state.h"

static const int TEXT_SIZE = 128;

struct AboutText {
    int control;
    UINT string;
};

static const AboutText ABOUT_TEXTS[] = {
    {IDC_ABOUT_TITLE, IDS_TITLE},
    {IDC_ABOUT_VERSION, IDS_VERSION},
    {IDC_ABOUT_NOTICE, IDS_LEGAL_NOTICE},
};

static void OnInitAboutBox(HWND dialog)
{
    char text[TEXT_SIZE];
    for (unsigned i = 0; i < sizeof(ABOUT_TEXTS) / sizeof(ABOUT_TEXTS[0]); ++i)
        if (LoadStringA(Switcher.instance, ABOUT_TEXTS[i].string, text, sizeof(text)) > 0)
            SetDlgItemTextA(dialog, ABOUT_TEXTS[i].control, text);
    CenterOnScreen(dialog);
}

static INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitAboutBox(dialog);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

INT_PTR ShowAboutBox(HWND owner)
{
    return DialogBoxParamA(Switcher.instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutDialogProc, 0);
}
