#!/usr/bin/env bash
# Installs what is missing, builds the suite (or the given targets) into
# BUILD_DIR and makes the build tree's Wine prefix.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$ROOT/build}

"$ROOT/scripts/setup.sh"
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$BUILD_DIR" -j "$(nproc)" "${targets[@]}"
"$ROOT/scripts/make-prefix.sh" "$BUILD_DIR"
