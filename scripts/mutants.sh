#!/usr/bin/env bash
# Sampled mutation testing, on demand (never in CI): plants one small fault
# at a time in a program's sources, builds incrementally, runs the CTest
# tests that cover the program and reports, per program, how many mutants
# the tests killed, how many survived and how many only timed out.
#
#   scripts/mutants.sh [--program NAME] [--count N] [--seed S] [--only N,M] [--dry-run]
#
# NAME is nrxvgchg, pivoter, rotsel or nrxdel (repeatable; default every
# one); N mutants are tried per program (25), those that do not compile not
# counted. The i686 build where the host runs 32-bit code, else x86_64.
# Each mutant is written into the source tree and put back after its tests;
# the product folders must be clean at the start, and whatever ends the run
# restores them from git.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
PRODUCT=(resolution_changer lcd_orientation lcd_driver_switch uninstaller lcd_common display_helper runtime)

if [ -n "$(git -C "$ROOT" status --porcelain -- "${PRODUCT[@]}")" ]; then
    echo "mutants: the product sources have changes of their own; commit or stash them first" >&2
    exit 1
fi
for arg in "$@"; do
    [ "$arg" = --dry-run ] && exec python3 "$ROOT/scripts/mutants.py" "$@"
done

# A build tree and Wine prefix of its own (build/mutants/), so that the
# suite's tree never holds a mutant's images; Ninja where installed, since
# each mutant is built twice or more.
BUILD_ROOT=$ROOT/build/mutants
source "$ROOT/scripts/host.sh"
use_one_arch
command -v ninja >/dev/null && export CMAKE_GENERATOR=Ninja
mkdir -p "$BUILD_DIR"
"$ROOT/scripts/build.sh" >"$BUILD_DIR/build.log" 2>&1 ||
    { tail -20 "$BUILD_DIR/build.log"; echo "mutants: the unmutated tree does not build" >&2; exit 1; }
source "$ROOT/scripts/session.sh"

# However the run ends, the sources go back to what was committed (they were
# clean at the start); replaces session.sh's own trap.
restore() {
    git -C "$ROOT" checkout -q -- "${PRODUCT[@]}"
    end_session
}
start_session
trap restore EXIT
start_desktop_keeper
echo "mutants: the $SUITE_ARCH build, $WINELOADER"
python3 "$ROOT/scripts/mutants.py" "$@"
