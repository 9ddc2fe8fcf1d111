#!/usr/bin/env bash
# Makes the release a user carries to a Windows 95/98 PC or emulator, in
# dist/: NRXUTIL-<version>.ZIP and NRXUTIL-<version>.IMG, a 1.44 MB FAT12
# floppy image, each holding the five shipped images, README.TXT and the
# checksum list SHA256.TXT (8.3 names in capitals). The version is VERSION's.
#
# It builds the shipped i686 images first (incrementally), so it never packs a
# stale image or an x86_64 one, and refuses any image that is not PE32 for
# i386. A missing tool is named with its Debian package before anything is
# written; dist/ is replaced only once both files are complete.
#
#   scripts/release.sh                  the release, into dist/
#   scripts/release.sh --stage BIN DIR  a build's files laid out in DIR as the
#                                       release holds them (the tests' drive)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
source "$ROOT/scripts/host.sh"

VERSION=$(head -n 1 "$ROOT/VERSION")
IMAGES=(NRXVGCHG.EXE NRXCHG32.DLL PIVOTER.EXE ROTSEL.EXE NRXDEL.EXE)
SUMMED=("${IMAGES[@]}" README.TXT)
CHECKSUMS=SHA256.TXT
FILES=("${SUMMED[@]}" "$CHECKSUMS")
SHIPPED_TARGETS=(nrxvgchg nrxchg32 pivoter rotsel nrxdel readme)
# Each tool the release needs, with the Debian package that brings it.
TOOLS=("mformat mtools" "mcopy mtools" "zip zip" "sha256sum coreutils"
       "i686-w64-mingw32-objdump binutils-mingw-w64-i686")

missing_tools() {
    local entry tool package
    for entry in "${TOOLS[@]}"; do
        read -r tool package <<<"$entry"
        command -v "$tool" >/dev/null || echo "$tool (install the Debian package $package)"
    done
}

# The files of BIN laid out in DIR (emptied first) as the release holds them,
# with the checksum list; CR LF ends, as every text on the disk.
stage() {
    local bin=$1 dir=$2 name
    rm -rf "$dir"
    mkdir -p "$dir"
    for name in "${SUMMED[@]}"; do
        [ -f "$bin/$name" ] || { echo "release: $bin/$name is missing" >&2; return 1; }
        cp -p "$bin/$name" "$dir/$name"
    done
    (cd "$dir" && sha256sum "${SUMMED[@]}" | sed 's/$/\r/' > "$CHECKSUMS")
}

# Fails naming every image of DIR that is not PE32 for i386.
check_pe32() {
    local dir=$1 name status=0
    for name in "${IMAGES[@]}"; do
        i686-w64-mingw32-objdump -f "$dir/$name" 2>/dev/null | grep -q 'file format pei-i386' ||
            { echo "release: $name is not a PE32 image for i386" >&2; status=1; }
    done
    return $status
}

# The volume label: the name and the version's digits, at most 11 characters.
volume_label() {
    local label="NRXUTIL ${VERSION//./}"
    echo "${label:0:11}"
}

make_release() {
    local missing build_dir work files base
    missing=$(missing_tools)
    if [ -n "$missing" ]; then
        echo "release: cannot make the release, missing:" >&2
        echo "$missing" | sed 's/^/  /' >&2
        return 1
    fi
    [[ $VERSION =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "release: VERSION must read MAJOR.MINOR.PATCH" >&2; return 1; }
    build_dir=$(arch_build_dir i686)
    SUITE_ARCH=i686 BUILD_DIR=$build_dir "$ROOT/scripts/build.sh" --no-prefix "${SHIPPED_TARGETS[@]}"

    # Everything is made beside dist/ and moved into place at the end.
    work=$(mktemp -d "$ROOT/.dist.XXXXXX")
    trap "rm -rf '$work'" EXIT
    files=$work/files
    stage "$build_dir/bin" "$files"
    check_pe32 "$files"
    base=NRXUTIL-$VERSION
    mkdir "$work/dist"
    (cd "$files" && zip -q -X "$work/dist/$base.ZIP" "${FILES[@]}")
    mformat -C -f 1440 -v "$(volume_label)" -i "$work/dist/$base.IMG" ::
    # Without long names: every name is 8.3 already.
    (cd "$files" && MTOOLS_NO_VFAT=1 mcopy -m -i "$work/dist/$base.IMG" "${FILES[@]}" ::)

    rm -rf "$ROOT/dist.old"
    [ ! -e "$ROOT/dist" ] || mv "$ROOT/dist" "$ROOT/dist.old"
    mv "$work/dist" "$ROOT/dist"
    rm -rf "$ROOT/dist.old"
    echo "release: dist/$base.ZIP ($(stat -c %s "$ROOT/dist/$base.ZIP") bytes)" \
         "and dist/$base.IMG ($(stat -c %s "$ROOT/dist/$base.IMG") bytes)"
    mdir -i "$ROOT/dist/$base.IMG" ::
}

if [ "${1:-}" = --stage ]; then
    [ $# = 3 ] || { echo "usage: $0 --stage BIN DIR" >&2; exit 2; }
    stage "$2" "$3"
else
    make_release
fi
