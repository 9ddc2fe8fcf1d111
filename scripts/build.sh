#!/usr/bin/env bash
# Installs what is missing, builds the suite (or the given targets) for
# SUITE_ARCH (i686, the default, or x86_64) into BUILD_DIR and makes the
# build tree's Wine prefix (not with --no-prefix: building runs nothing).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$ROOT/build}
arch=${SUITE_ARCH:-i686}
prefix=yes
[ "${1:-}" = --no-prefix ] && { prefix=; shift; }

"$ROOT/scripts/setup.sh"
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" \
      -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$BUILD_DIR" -j "$(nproc)" "${targets[@]}"
[ -z "$prefix" ] || "$ROOT/scripts/make-prefix.sh" "$BUILD_DIR"
