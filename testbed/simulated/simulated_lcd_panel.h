// A simulated LCD panel standing in for the vendor's portrait-capable display
// driver behind the LCD programs' display seam, for tests and the demo. Plain
// Win32 without the C runtime, so that testbed builds of the programs are
// built like the shipped ones.
//
// It is configured from outside the program: REG_DWORD values (each
// optional, read at every call) of HKEY_CURRENT_USER "Software\NrxTestbed\LcdPanel":
//
//   present          1   0: the driver has no LCD control escape (QUERYESCSUPPORT
//                        answers 0 for 0x3140, the escape itself returns 0)
//   failQuery        0   1: the state query (sub-function 0) returns 0
//   failVersion      0   1: the version query (sub-function 2) returns 0
//   replySize        64  bytes of the state reply the driver writes
//   caps             0x81 (LCD panel, portrait available)
//   state            0x01 (LCD output, landscape): the state in effect
//   panelWidth       1024
//   panelHeight      768
//   version          0x100 (sub-function 2's answer)
//   bitsPerPixel     32  the reply's colour depth
//   refresh          60  the reply's refresh rate
//   landscapeWidth   1024, landscapeHeight 768: the mode named for a landscape state
//   portraitWidth    800,  portraitHeight  600: the mode named for a portrait
//                        state; a landscape size by default, since Wine's
//                        virtual desktop can neither list nor set 768x1024
//
// The state reply names the mode of the stored "LCDStatus" (of the key
// OpenPanelSettingsKey finds), or of the state in effect when none is
// stored. Setting that mode with CDS_RESET takes the stored "LCDStatus"
// into effect: it is written to "state", and the next query reports it.
#ifndef TESTBED_SIMULATED_LCD_PANEL_H
#define TESTBED_SIMULATED_LCD_PANEL_H

#include <windows.h>

namespace simulated_panel {

extern const char CONFIG_KEY[];

// QUERYESCSUPPORT and the LCD control escape, answered as the driver would.
int Escape(int escape, int inputSize, const void* input, int outputSize, void* output);
// A display mode was set successfully with `flags`.
void ModeSet(const DEVMODEA& mode, DWORD flags);

}  // namespace simulated_panel

#endif
