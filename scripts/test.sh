#!/usr/bin/env bash
# Builds the suite and runs every test under Wine (Japanese, Windows 98).
# Installs what is missing first, so it works on a fresh Debian 12 machine.
# Arguments go to CTest (for example -R <regex> or -j2).
#
# The whole suite runs once per architecture this host's Wine runs: on the
# shipped i686 images under 32-bit Wine, then on the x86_64 builds under
# 64-bit Wine; a host that runs no 32-bit code gets the x86_64 run and a
# line saying why not the other. The image check of the shipped images and
# the check of the release made from them (scripts/release.sh, into dist/)
# execute nothing and run everywhere. SUITE_ARCH=i686 or SUITE_ARCH=x86_64
# runs one architecture only. Each run ends with the fault matrix's summary
# line, summed over the matrix programs that ran.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
source "$ROOT/scripts/host.sh"

# One architecture's whole suite in its own build tree, prefix and session.
run_suite() {
    local arch=$1
    shift
    (
        export SUITE_ARCH=$arch BUILD_DIR
        BUILD_DIR=$(arch_build_dir "$arch")
        "$ROOT/scripts/build.sh"
        if [ "$arch" = i686 ]; then
            print_shipped_images
            "$ROOT/scripts/release.sh"
        fi
        source "$ROOT/scripts/session.sh"
        echo "test: the whole suite on the $arch build, $WINELOADER ($(wine --version))"
        start_session
        start_desktop_keeper
        local counts="$BUILD_DIR/tests/fault_matrix" status=0
        rm -rf "$counts"
        ctest --test-dir "$BUILD_DIR" --output-on-failure "$@" || status=$?
        if compgen -G "$counts/*.txt" >/dev/null; then
            cat "$counts"/*.txt | awk -v arch="$arch" '{ cases += $1; held += $2 }
                END { printf "fault matrix (%s): %d cases, %d held\n", arch, cases, held }'
        fi
        exit $status
    )
}

# What each shipped image weighs and imports (CTest's image_imports judges it).
print_shipped_images() {
    "$ROOT/tests/check_images.sh" "$BUILD_DIR"/bin/*.EXE "$BUILD_DIR"/bin/*.DLL || true
}

# The shipped images' check and the release's, alone, where their other
# tests cannot run.
check_shipped_images() {
    (
        export SUITE_ARCH=i686 BUILD_DIR
        BUILD_DIR=$(arch_build_dir i686)
        "$ROOT/scripts/release.sh"
        "$ROOT/scripts/build.sh" --no-prefix planted_imports
        print_shipped_images
        ctest --test-dir "$BUILD_DIR" --output-on-failure -L image
    )
}

"$ROOT/scripts/setup.sh"
choose_archs || exit 1
archs=("${RUN_ARCHS[@]}")

status=0
if [[ " ${archs[*]} " != *" i686 "* ]]; then
    check_shipped_images || status=1
fi
for arch in "${archs[@]}"; do
    run_suite "$arch" "$@" || status=1
done
if [ -z "${SUITE_ARCH:-}" ]; then
    for arch in i686 x86_64; do
        [ -z "$(arch_fault $arch)" ] || echo "test: the suite did not run on the $arch build: $(arch_fault $arch)"
    done
fi
exit $status
