#!/usr/bin/env bash
# Each shipped image must load on the first release of Windows 95: PE32 for
# i386, GUI subsystem 4.0, imports only from the system DLLs such a machine
# has (plus NRXCHG32; no C runtime DLL), no wide-character function and no
# function of later releases (later_than_windows95.txt). Prints each image's
# size and its imports by DLL; fails on the first rule any image breaks.
set -u
export LC_ALL=C
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|COMCTL32|NRXCHG32)\.dll$'
later=$(sed -e 's/#.*//' -e 's/[[:space:]]//g' -e '/^$/d' "$(dirname "$0")/later_than_windows95.txt")
failed=0
fail() { echo "$name: $*"; failed=1; }
for image in "$@"; do
    name=$(basename "$image")
    headers=$(i686-w64-mingw32-objdump -p "$image" 2>/dev/null) || { fail "unreadable"; continue; }
    grep -q 'file format pei-i386' <<<"$headers" || fail "not PE32 i386"
    grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "not a GUI image"
    grep -Eq '^MajorSubsystemVersion[[:space:]]+4$' <<<"$headers" &&
        grep -Eq '^MinorSubsystemVersion[[:space:]]+0$' <<<"$headers" ||
        fail "subsystem version is not 4.0"
    echo "$name: $(stat -c %s "$image") bytes"
    # "DLL function" per import: rows of the hint/name table under each DLL.
    imports=$(awk '/DLL Name:/ {dll=$3; next} dll != "" && NF == 0 {dll=""}
                   dll != "" && $1 ~ /^[0-9a-f]+$/ && NF >= 3 {print dll, $3}' <<<"$headers")
    for dll in $(awk '{print $1}' <<<"$imports" | sort -u); do
        echo "  $dll:" $(awk -v d="$dll" '$1 == d {print $2}' <<<"$imports")
        grep -Eiq "$allowed" <<<"$dll" || fail "imports from $dll"
    done
    wide=$(awk '{print $2}' <<<"$imports" | grep -E '[a-z0-9]W$' || true)
    [ -z "$wide" ] || fail "wide-character imports:" $wide
    newer=$(awk '{print $2}' <<<"$imports" | grep -Fx -f <(echo "$later") || true)
    [ -z "$newer" ] || fail "imports functions later than Windows 95:" $newer
done
exit $failed
