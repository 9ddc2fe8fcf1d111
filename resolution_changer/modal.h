// One modal interaction at a time: every dialog and message box of the
// program runs through here, so that the shell can tell when one is open.
#ifndef NRXVGCHG_MODAL_H
#define NRXVGCHG_MODAL_H

#include <windows.h>

// DialogBoxParamA with the program's dialog template `id`.
INT_PTR RunModalDialog(HWND owner, UINT id, DLGPROC procedure, LPARAM parameter);
// MessageBoxA.
int RunMessageBox(HWND owner, const char* text, const char* caption, UINT type);
// True while a dialog or message box of the program is open.
bool ModalOpen();
// Brings the open dialog or box that takes input (the innermost) to the front.
void BringModalToFront();

#endif
