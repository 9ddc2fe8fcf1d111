#!/usr/bin/env bash
# Checks the release that scripts/release.sh made, executing nothing of it:
#
#   check_release.sh files DIST VERSION BIN  the archive and the floppy image
#       each hold exactly BIN's five images and README.TXT, byte for byte, and
#       SHA256.TXT, whose sums hold; the image is a labelled 1.44 MB disk
#   check_release.sh readme FILE  FILE decodes as cp932, every line ends in
#       CR LF and is at most 76 columns wide (in cp932 a half-width character
#       is one byte and a full-width one two, so columns are bytes)
#   check_release.sh drive DIR SOURCE  lays the release out in DIR, a drive of
#       the tests' Wine prefix: the floppy image SOURCE unpacked, or the files
#       of the build folder SOURCE staged as the release holds them
set -u
export LC_ALL=C
ROOT=$(cd "$(dirname "$0")/.." && pwd)
EXPECTED="NRXCHG32.DLL NRXDEL.EXE NRXVGCHG.EXE PIVOTER.EXE README.TXT ROTSEL.EXE SHA256.TXT"
failed=0
fail() { echo "$*"; failed=1; }

# The unpacked files of one container, in DIR, against BIN.
check_unpacked() {
    local what=$1 dir=$2 bin=$3 names name
    names=$(ls "$dir" | sort | tr '\n' ' ')
    [ "$names" = "$EXPECTED " ] || fail "$what holds: $names"
    for name in $EXPECTED; do
        [ "$name" = SHA256.TXT ] || cmp -s "$dir/$name" "$bin/$name" || fail "$what: $name differs from $bin/$name"
    done
    (cd "$dir" && sha256sum --quiet -c SHA256.TXT) || fail "$what: the sums of SHA256.TXT do not hold"
}

check_files() {
    local dist=$1 version=$2 bin=$3 work
    local zip=$dist/NRXUTIL-$version.ZIP image=$dist/NRXUTIL-$version.IMG
    [ -f "$zip" ] && [ -f "$image" ] || { fail "no $zip or $image: run scripts/release.sh"; return; }
    work=$(mktemp -d)
    mkdir "$work/zip" "$work/image"
    unzip -q "$zip" -d "$work/zip" || fail "$zip does not unpack"
    check_unpacked "$zip" "$work/zip" "$bin"
    [ "$(stat -c %s "$image")" = 1474560 ] || fail "$image is not a 1.44 MB disk"
    mlabel -s -i "$image" :: | grep -q 'Volume label is NRXUTIL' || fail "$image has no volume label"
    mcopy -n -i "$image" '::*' "$work/image/" || fail "$image does not unpack"
    check_unpacked "$image" "$work/image" "$bin"
    rm -rf "$work"
}

check_readme() {
    local file=$1
    iconv -f CP932 -t UTF-8 "$file" >/dev/null || fail "$file is not cp932"
    [ "$(tail -c 2 "$file" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "$file does not end in CR LF"
    awk -v file="$file" '
        !/\r$/ { printf "%s:%d: no CR LF line end\n", file, NR; bad = 1 }
        { sub(/\r$/, "") }
        /[\r\t]/ { printf "%s:%d: a tab or a lone CR\n", file, NR; bad = 1 }
        length($0) > 76 { printf "%s:%d: %d columns\n", file, NR, length($0); bad = 1 }
        END { exit bad }' "$file" || failed=1
}

lay_drive() {
    local dir=$1 source=$2
    if [ -d "$source" ]; then
        "$ROOT/scripts/release.sh" --stage "$source" "$dir" || failed=1
    elif [ ! -f "$source" ]; then
        fail "no $source: run scripts/release.sh"
    else
        rm -rf "$dir" && mkdir -p "$dir" && mcopy -n -i "$source" '::*' "$dir/" || fail "$source does not unpack"
    fi
}

case ${1:-} in
    files) check_files "$2" "$3" "$4" ;;
    readme) check_readme "$2" ;;
    drive) lay_drive "$2" "$3" ;;
    *) echo "usage: $0 files DIST VERSION BIN | readme FILE | drive DIR SOURCE" >&2; exit 2 ;;
esac
exit $failed
