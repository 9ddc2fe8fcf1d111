// Dialog 101, where the user chooses what to uninstall.
#ifndef NRXDEL_SELECTION_DIALOG_H
#define NRXDEL_SELECTION_DIALOG_H

#include <windows.h>

// Posted by OK to the dialog: run the uninstall.
const UINT WM_RUN_UNINSTALL = WM_USER + 103;
// Accepted from any sender: restart Windows at once.
const UINT WM_REBOOT_NOW = WM_USER + 102;

INT_PTR CALLBACK SelectionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Shows dialog 101 modally, without an owner; DialogBoxParamA's result.
INT_PTR ShowSelectionDialog();

#endif
