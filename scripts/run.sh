#!/usr/bin/env bash
# The suite as a user meets it: the demo machine, a Japanese Windows 98 PC
# with the vendor's LCD adapter, its driver and the resolution changer
# installed (scripts/demo.sh), in a Wine virtual desktop with NRXVGCHG and
# PIVOTER in the tray. Every run lays the machine down afresh unless --keep
# is given. With an X display the desktop opens there and comes back after
# every restart a program makes, until a session ends without one or Ctrl+C
# here ends the demo; without one it runs on Xvfb, waits for
# both tray icons and writes a screenshot to build/screenshot.png.
# A host that runs no 32-bit code gets the x86_64 builds under 64-bit Wine
# (SUITE_ARCH=i686 or x86_64 chooses).
#
#   --keep            keep the machine as the last run left it
#   --size WxH        another desktop size (1024x768)
#   --version V       win95, win98 or winxp: the version Windows reports (win98)
#   --pc98            an NEC PC-98 footprint instead of a PC/AT one
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)

keep=
usage() { sed -n '/^#   --/s/^# *//p' "$0" >&2; exit 2; }
while [ $# -gt 0 ]; do
    case $1 in
        --keep) keep=yes ;;
        --size) [ $# -gt 1 ] || usage; DEMO_SIZE=$2; shift ;;
        --version) [ $# -gt 1 ] || usage; DEMO_VERSION=$2; shift ;;
        --pc98) DEMO_MACHINE_TYPE=PC98 ;;
        *) usage ;;
    esac
    shift
done
case ${DEMO_VERSION:-win98} in win95|win98|winxp) ;; *) usage ;; esac
[[ ${DEMO_SIZE:-1024x768} =~ ^[0-9]+x[0-9]+$ ]] || usage
export DEMO_SIZE DEMO_VERSION DEMO_MACHINE_TYPE

interactive=${DISPLAY:+yes}
# The shipped images where this host runs 32-bit code, else the x86_64 builds.
"$ROOT/scripts/setup.sh"
source "$ROOT/scripts/host.sh"
use_one_arch || exit 1
source "$ROOT/scripts/demo.sh"
# The build makes the tests' prefix, not the demo's.
WINE_DIR= "$ROOT/scripts/build.sh" "${DEMO_TARGETS[@]}"
start_display
if [ -z "$keep" ] || [ ! -f "$WINEPREFIX/.ready" ]; then
    demo_reset
else
    # The kept machine with this run's version mode and desktop size.
    wineserver -p
    machine_settings
    stop_wineserver
fi

if [ -n "$interactive" ]; then
    echo "run: the demo machine is up; a restart brings it up again, Ctrl+C here ends it."
    demo_boot
    while demo_wait_for_end; do
        echo "run: Windows is restarting"
        demo_boot
    done
else
    demo_boot
    demo_tool icons 60
    sleep 1
    import -window root -crop "${DEMO_SIZE:-1024x768}+0+0" +repage "$BUILD_ROOT/screenshot.png"
    echo "screenshot: $BUILD_ROOT/screenshot.png ($SUITE_ARCH build)"
fi
