#!/usr/bin/env bash
# The soak run, on demand: the real NRXVGCHG and PIVOTER (its testbed build)
# and NRXDEL's Program Manager client repeat every action a resident program
# lives through, as often as over months at SCALE 1 (the default) or that
# times SCALE, and what each holds is counted after a warm-up and at the
# end (tools/soak/soak.h). Exits non-zero when an action grew or failed. On
# the shipped images where this host runs 32-bit code, else on the x86_64
# builds (SUITE_ARCH chooses). Further arguments choose parts: nrxvgchg,
# pivoter, nrxdel.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
scale=${1:-1}
[ $# -gt 0 ] && shift
"$ROOT/scripts/setup.sh"
source "$ROOT/scripts/host.sh"
use_one_arch || exit 1
"$ROOT/scripts/build.sh" soak desktop_keeper
source "$ROOT/scripts/session.sh"
start_session
start_desktop_keeper
echo "soak: the $SUITE_ARCH build under $WINELOADER ($(wine --version)), scale $scale"
wine "$BUILD_DIR/tests/SOAK.exe" "$scale" "$@" </dev/null 2>/dev/null | tr -d '\r' | iconv -f cp932 -t UTF-8
