// Dialogs of a mode change: the timed question whether the display is right,
// and the choice between a restart and a live colour-depth change.
#ifndef NRXVGCHG_SWITCH_DIALOGS_H
#define NRXVGCHG_SWITCH_DIALOGS_H

#include <windows.h>

const UINT TIMER_TEST_TIMEOUT = 9997;
const UINT TEST_TIMEOUT = 10000;  // ms until an unanswered question means "no"

// Dialog 130: IDOK when the user says the display is right; IDCANCEL for
// "no", Esc, or no answer within ten seconds.
INT_PTR RunConfirmationDialog(HWND owner);
// Dialog 140: IDOK (restart), IDC_SWITCH_LIVE or IDCANCEL.
INT_PTR RunRestartOrSwitchDialog(HWND owner);

#endif
