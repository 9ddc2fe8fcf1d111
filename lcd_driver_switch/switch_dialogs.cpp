// Dialogs 101 and 102: the switch the user is offered and the orientation
// to start the portrait driver in.
#include "switch_dialogs.h"
#include "about.h"
#include "direction.h"
#include "panel_check.h"
#include "resource.h"
#include "switcher_state.h"

const char SYSTEM_MENU_ABOUT_LABEL[] = "ﾊﾞｰｼﾞｮﾝ情報(&A)...";

static const int TITLE_SIZE = 128;

void CenterOnScreen(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    // C division truncates toward zero, also for a window larger than the screen.
    int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    SetWindowPos(window, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// What both dialogs do first: the title, the about box offered, the centre.
static void InitSwitchDialog(HWND dialog)
{
    char title[TITLE_SIZE];
    if (LoadStringA(Switcher.instance, IDS_TITLE, title, sizeof(title)) > 0)
        SetWindowTextA(dialog, title);
    // Neither dialog has room for a button of its own.
    HMENU systemMenu = GetSystemMenu(dialog, FALSE);
    if (systemMenu) {
        AppendMenuA(systemMenu, MF_SEPARATOR, 0, NULL);
        AppendMenuA(systemMenu, MF_STRING, IDM_SYSTEM_ABOUT, SYSTEM_MENU_ABOUT_LABEL);
    }
    CenterOnScreen(dialog);
}

// Dialog 101: the check box offers portrait only where a panel can show it.
static void OnInitPortraitDialog(HWND dialog)
{
    bool portraitWanted = IsPortraitWanted();
    // A driver without the escape cannot say; the panel is then taken as usable.
    bool panelUsable = !DriverSupportsLcdEscape() || IsPanelConnected();
    CheckDlgButton(dialog, IDC_PORTRAIT_AT_RESTART,
                   portraitWanted && panelUsable ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dialog, IDC_PORTRAIT_AT_RESTART), panelUsable);
    if (panelUsable)
        ShowWindow(GetDlgItem(dialog, IDC_NO_PANEL), SW_HIDE);
    InitSwitchDialog(dialog);
}

// The commands both dialogs share; whether `command` was one.
static bool OnSwitchDialogCommand(HWND dialog, WORD command)
{
    switch (command) {
    case IDOK:
    case IDCANCEL:
        EndDialog(dialog, command);
        return true;
    case IDM_ABOUT:
    case IDM_ABOUT_ALSO:
        ShowAboutBox(dialog);
        return true;
    }
    return false;
}

// The about item of the system menu stands for the about command.
static bool OnSwitchDialogSystemCommand(HWND dialog, WPARAM command)
{
    if ((command & 0xFFF0) != IDM_SYSTEM_ABOUT)
        return false;
    ShowAboutBox(dialog);
    return true;
}

static INT_PTR CALLBACK PortraitDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitPortraitDialog(dialog);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            Switcher.portraitChosen = IsDlgButtonChecked(dialog, IDC_PORTRAIT_AT_RESTART) == BST_CHECKED;
        return OnSwitchDialogCommand(dialog, LOWORD(wParam));
    case WM_SYSCOMMAND:
        return OnSwitchDialogSystemCommand(dialog, wParam);
    }
    return FALSE;
}

static INT_PTR CALLBACK StandardDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitSwitchDialog(dialog);
        return FALSE;
    case WM_COMMAND:
        return OnSwitchDialogCommand(dialog, LOWORD(wParam));
    case WM_SYSCOMMAND:
        return OnSwitchDialogSystemCommand(dialog, wParam);
    }
    return FALSE;
}

INT_PTR ShowSwitchDialog(HWND owner, int id)
{
    DLGPROC procedure = id == IDD_TO_PORTRAIT_DRIVER ? PortraitDialogProc : StandardDialogProc;
    return DialogBoxParamA(Switcher.instance, MAKEINTRESOURCEA(id), owner, procedure, 0);
}
