#!/usr/bin/env bash
# The suite's main job: NRXVGCHG in a Japanese Windows 98 session, in a Wine
# virtual desktop of 1024x768. With an X display the desktop opens there and
# the script waits until the program ends; without one it runs on Xvfb and
# writes a screenshot (tool window and tray menu) to build/screenshot.png.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$ROOT/build}

"$ROOT/scripts/build.sh" nrxvgchg nrxchg32

interactive=${DISPLAY:+yes}
source "$ROOT/scripts/session.sh"
start_session

wine "$BUILD_DIR/bin/NRXVGCHG.EXE" >/dev/null 2>&1 &
program=$!
if [ -n "$interactive" ]; then
    echo "NRXVGCHG is running in the Wine desktop; end it from its tray menu (終了)."
    wait "$program"
else
    "$ROOT/scripts/screenshot.sh" "$BUILD_DIR/screenshot.png"
    echo "screenshot: $BUILD_DIR/screenshot.png"
fi
