#!/usr/bin/env bash
# On-demand start-up benchmark (not a test): in one Wine session, the time
# from CreateProcess to a visible window of each program against a bare
# Win32 tool window built the same way, interleaved over ROUNDS rounds
# (default 15), with medians and ratios; then where NRXVGCHG's start-up
# time goes, call by call.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$ROOT/build}
rounds=${1:-15}

"$ROOT/scripts/build.sh" nrxvgchg nrxchg32 bare_window startup_benchmark startup_profile desktop_keeper
source "$ROOT/scripts/session.sh"
start_session
start_desktop_keeper

win() { echo "Z:${1//\//\\}"; }
echo "start-up, $rounds rounds, $(nproc) cores, $(wine --version)"
wine "$BUILD_DIR/tests/startup_benchmark.exe" "$rounds" \
    "bare=$(win "$BUILD_DIR/tests/BARE_WINDOW.EXE")" \
    "NRXVGCHG=$(win "$BUILD_DIR/bin/NRXVGCHG.EXE")" 2>/dev/null | tr -d '\r'
echo
wine "$BUILD_DIR/tests/startup_profile.exe" "$rounds" 2>/dev/null | tr -d '\r'
