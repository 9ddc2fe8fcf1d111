#!/usr/bin/env bash
# On-demand benchmarks (not tests), each figure printed with its goal:
# the size of every shipped image against its limit; then, in one Wine
# session, how noisy the host is now (the bare window alone: when its
# starts spread too widely, nothing below is judged); NRXDEL's whole
# sequence on footprints of 5, 20 and 80 driver and as many utility
# installs against the same file, registry and Program Manager work made
# directly, with where its time goes on 20; the time from CreateProcess
# until each program is ready for the user against a bare Win32 tool
# window built the same way and against its own same-work baseline (a
# program making the system calls it must make before it is ready; also
# ROTSEL's dialog shown by a program that does nothing else); last, where
# NRXVGCHG's start-up time goes, call by call. A program and its baseline
# are started back to back in each round, in alternating order, and judged
# by the median of their per-round ratios with its 95 % interval; ROUNDS
# (default 15) are the rounds to start with (the uninstall: at most 9, on
# 80 installs a third), and rounds are added while a verdict is unsure.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-15}
# The shipped images where this host runs 32-bit code, else the x86_64 builds.
"$ROOT/scripts/setup.sh"
source "$ROOT/scripts/host.sh"
use_one_arch || exit 1

# What ships is the i686 images, whichever build the times are taken on.
BUILD_DIR=$(arch_build_dir i686) SUITE_ARCH=i686 \
    "$ROOT/scripts/build.sh" --no-prefix nrxvgchg nrxchg32 pivoter rotsel nrxdel
"$ROOT/scripts/build.sh" nrxvgchg nrxchg32 pivoter rotsel nrxdel pivoter_testbed rotsel_testbed \
    bare_window bare_dialog nrxvgchg_same_work pivoter_same_work rotsel_same_work startup_benchmark startup_profile uninstall_benchmark desktop_keeper

echo "image sizes, the shipped i686 images"
status=0
for image in "$(arch_build_dir i686)"/bin/*.EXE "$(arch_build_dir i686)"/bin/*.DLL; do
    name=$(basename "$image")
    case "$name" in
        PIVOTER.EXE | ROTSEL.EXE) limit=32768 ;;
        NRXCHG32.DLL) limit=16384 ;;
        *) limit=49152 ;;
    esac
    size=$(stat -c %s "$image")
    verdict=met
    [ "$size" -le "$limit" ] || { verdict="NOT MET"; status=1; }
    printf "  %-14s %6d bytes   (goal: at most %d KB) %s\n" "$name" "$size" $((limit / 1024)) "$verdict"
done
echo

source "$ROOT/scripts/session.sh"
start_session
start_desktop_keeper
# Every time below is taken on this build and loader.
measured="the $SUITE_ARCH build under $WINELOADER ($(wine --version)), $(nproc) cores"

win() { echo "Z:${1//\//\\}"; }
echo "measured: $measured"
verdicts=
noise=0
wine "$BUILD_DIR/tests/startup_benchmark.exe" --noise 9 "$(win "$BUILD_DIR/tests/BARE_WINDOW.EXE")" \
    2>/dev/null | tr -d '\r' || noise=$?
[ "$noise" -eq 3 ] && verdicts=--no-verdict
echo

# The uninstall first: Wine's taskbar keeps a tooltip window for every tray
# icon ever added, and every DDE connection is sent to every top-level window.
echo "measured: $measured"
wine "$BUILD_DIR/tests/uninstall_benchmark.exe" $verdicts "$(( rounds < 9 ? rounds : 9 ))" 2>/dev/null | tr -d '\r'
echo

echo "start-up, measured: $measured"
work=$BUILD_DIR/tests/same_work
wine "$BUILD_DIR/tests/startup_benchmark.exe" --lcd-machine $verdicts "$rounds" \
    "bare=$(win "$BUILD_DIR/tests/BARE_WINDOW.EXE")" \
    "NRXVGCHG-work=$(win "$work/NRXVGCHG_WORK.EXE")" \
    "NRXVGCHG/NRXVGCHG-work=$(win "$BUILD_DIR/bin/NRXVGCHG.EXE")" \
    "PIVOTER-work@PivoterSameWork:106=$(win "$work/PIVOTER_WORK.EXE")" \
    "PIVOTER@PivoterMainClass:106/PIVOTER-work=$(win "$BUILD_DIR/tests/lcd_testbed/PIVOTER.EXE")" \
    "ROTSEL-work=$(win "$work/ROTSEL_WORK.EXE")" \
    "ROTSEL/ROTSEL-work=$(win "$BUILD_DIR/tests/lcd_testbed/ROTSEL.EXE")" \
    "its-dialog=$(win "$BUILD_DIR/tests/BARE_DIALOG.EXE")" 2>/dev/null | tr -d '\r'
echo
echo "measured: $measured"
wine "$BUILD_DIR/tests/startup_profile.exe" "$rounds" 2>/dev/null | tr -d '\r'
exit $status
