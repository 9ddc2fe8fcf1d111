// The texts PIVOTER holds as literals and its one way of reporting a failure.
#ifndef PIVOTER_MESSAGES_H
#define PIVOTER_MESSAGES_H

#include <windows.h>

// The built-in program title: the icon's tip and a caption.
extern const char PROGRAM_TITLE[];
extern const char MESSAGE_NOT_PORTRAIT_DRIVER[];
extern const char MESSAGE_NO_PANEL[];
extern const char MESSAGE_CANNOT_STORE[];

// A message box with the error icon.
void ShowError(HWND owner, const char* text, const char* caption);

#endif
