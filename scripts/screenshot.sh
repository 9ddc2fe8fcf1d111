#!/usr/bin/env bash
# Photographs the running NRXVGCHG: its tool window in the top-right corner
# and its tray menu opened with a real click on the tray icon. Expects the
# program to be starting in the session's 1024x768 desktop.
set -euo pipefail
out=$1
# The whole Wine desktop is one X window: wait for the program to be up.
sleep 4
# The tray icon sits at the right end of the desktop's taskbar.
xdotool mousemove 1013 757 click 1
sleep 1
# Open the submenu of the colour depth in use (the fourth item): the current
# mode is checked there.
xdotool key Down Down Down Down Right
sleep 0.5
import -window root -crop 1024x768+0+0 +repage "$out"
xdotool key Escape Escape
