// The LCD programs' display seam for in-process tests: the simulated LCD
// panel answers the escape, the simulated adapter (simulated_display.h)
// lists the modes exactly as a test sets them up, takes the mode changes and
// keeps the screen size, and the pointer is simulated too, so that a screen
// the Wine desktop cannot show (768x1024) can be tested.
#ifndef TESTBED_SIMULATED_LCD_SCREEN_H
#define TESTBED_SIMULATED_LCD_SCREEN_H

#include <windows.h>

namespace simulated {

// The simulated pointer's position.
POINT& LcdPointer();

}  // namespace simulated

#endif
