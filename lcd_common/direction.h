// The orientation the user wants, as both LCD programs keep it for the
// portrait driver: the default value of HKEY_CURRENT_USER
// "Software\NORIX\NRXLCD\Direction", "ON" for portrait, "OFF" for landscape.
#ifndef LCD_COMMON_DIRECTION_H
#define LCD_COMMON_DIRECTION_H

// Writes "ON" or "OFF", creating the key if needed; a failure is passed over.
void WriteDirection(bool portrait);
// Whether the value reads (in 8 bytes with its terminator) and is "ON",
// ignoring the case of ASCII letters.
bool IsPortraitWanted();

#endif
