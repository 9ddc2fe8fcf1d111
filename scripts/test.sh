#!/usr/bin/env bash
# Builds the suite and runs every test under Wine (Japanese, Windows 98).
# Installs what is missing first, so it works on a fresh Debian 12 machine.
# Arguments go to CTest (for example -R <regex> or -j2).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$ROOT/build}

"$ROOT/scripts/build.sh"
# What each shipped image weighs and imports (CTest's image_imports judges it).
"$ROOT/tests/check_images.sh" "$BUILD_DIR"/bin/*.EXE "$BUILD_DIR"/bin/*.DLL || true

source "$ROOT/scripts/session.sh"
start_session
start_desktop_keeper
ctest --test-dir "$BUILD_DIR" --output-on-failure "$@"
