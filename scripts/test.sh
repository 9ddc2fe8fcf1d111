#!/usr/bin/env bash
# Builds the suite and runs every test under Wine (Japanese, Windows 98).
# Installs what is missing first, so it works on a fresh Debian 12 machine.
# Arguments go to CTest (for example -R <regex> or -j2). Ends with the fault
# matrix's summary line, summed over the matrix programs that ran.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$ROOT/build}

"$ROOT/scripts/build.sh"
# What each shipped image weighs and imports (CTest's image_imports judges it).
"$ROOT/tests/check_images.sh" "$BUILD_DIR"/bin/*.EXE "$BUILD_DIR"/bin/*.DLL || true

source "$ROOT/scripts/session.sh"
start_session
start_desktop_keeper
counts="$BUILD_DIR/tests/fault_matrix"
rm -rf "$counts"
status=0
ctest --test-dir "$BUILD_DIR" --output-on-failure "$@" || status=$?
if compgen -G "$counts/*.txt" >/dev/null; then
    cat "$counts"/*.txt | awk '{ cases += $1; held += $2 }
        END { printf "fault matrix: %d cases, %d held\n", cases, held }'
fi
exit $status
