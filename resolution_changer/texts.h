// Texts from the string table, message boxes and dialog placement.
#ifndef NRXVGCHG_TEXTS_H
#define NRXVGCHG_TEXTS_H

#include <windows.h>

// Caption of every message box of the program.
extern const char MESSAGE_CAPTION[];

// String `id` in the one shared 64-byte buffer ("" when missing); the next
// call overwrites it.
const char* LoadText(UINT id);
// Shows string `id`, adding the exclamation icon to plain button sets;
// -1 without a box when the string is missing.
int ShowMessage(HWND owner, UINT id, UINT type);
// The icon ShowMessage adds to a box type that names none.
UINT MessageBoxType(UINT type);
// Centres a dialog on the full-screen work area, keeping its size.
void CenterDialog(HWND dialog);

#endif
