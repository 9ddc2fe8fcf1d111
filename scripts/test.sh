#!/usr/bin/env bash
# Builds the suite and runs every test under Wine (Japanese, Windows 98).
# Installs what is missing first, so it works on a fresh Debian 12 machine.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$ROOT/build}

"$ROOT/scripts/setup.sh"
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"
"$ROOT/scripts/make-prefix.sh" "$BUILD_DIR"
# What each shipped image weighs and imports (CTest's image_imports judges it).
"$ROOT/tests/check_images.sh" "$BUILD_DIR"/bin/*.EXE "$BUILD_DIR"/bin/*.DLL || true

source "$ROOT/scripts/session.sh"
start_session
# Wine's own processes start with the first program: let that be one that
# holds no pipe of ctest's and keeps the desktop open for the whole run.
wine "$BUILD_DIR/tests/desktop_keeper.exe" </dev/null >/dev/null 2>&1 &
sleep 3
ctest --test-dir "$BUILD_DIR" --output-on-failure "$@"
