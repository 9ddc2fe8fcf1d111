#!/usr/bin/env bash
# The long run of generated install histories, on demand: COUNT (default
# 2000) histories from seed FIRST (default 1) played in-process, and the
# first E2E of them (default 40) with the real NRXDEL.EXE on the prefix,
# each checked after every run and at the end (testbed/footprint/history_check.h).
# Prints every history's runs and violations and the totals; a history that
# fails is printed whole and replayed by its seed:
#   scripts/histories.sh 1 SEED 1
# On the shipped images where this host runs 32-bit code, else on the
# x86_64 builds (SUITE_ARCH chooses). Exits non-zero on a violation.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
count=${1:-2000} first=${2:-1} e2e=${3:-40}
"$ROOT/scripts/setup.sh"
source "$ROOT/scripts/host.sh"
use_one_arch || exit 1
"$ROOT/scripts/build.sh" uninstall_histories uninstall_footprint_e2e nrxdel desktop_keeper
source "$ROOT/scripts/session.sh"
start_session
start_desktop_keeper
echo "histories: the $SUITE_ARCH build under $WINELOADER ($(wine --version)), $count from seed $first, $e2e of them end to end"
status=0
play() {
    NRX_HISTORY_SEED=$first NRX_HISTORIES=$count NRX_E2E_HISTORIES=$e2e \
        wine "$BUILD_DIR/tests/$1.exe" --gtest_filter="$2" </dev/null 2>/dev/null |
        tr -d '\r' | iconv -f cp932 -t UTF-8 || status=1
}
[ "$count" -gt 0 ] && play uninstall_histories '*'
[ "$e2e" -gt 0 ] && play uninstall_footprint_e2e 'GeneratedHistories.*'
exit $status
