#!/usr/bin/env bash
# Each shipped image must load on Windows 95: PE32 for i386, GUI subsystem
# 4.0, and imports only from the system DLLs a Windows 95 machine has (plus
# NRXCHG32), never a wide-character function.
set -u
export LC_ALL=C
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|COMCTL32|msvcrt|NRXCHG32)\.dll$'
failed=0
for image in "$@"; do
    name=$(basename "$image")
    headers=$(i686-w64-mingw32-objdump -p "$image") || { echo "$name: unreadable"; failed=1; continue; }
    grep -q 'file format pei-i386' <<<"$headers" || { echo "$name: not PE32 i386"; failed=1; }
    grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers" || { echo "$name: not a GUI image"; failed=1; }
    grep -Eq '^MajorSubsystemVersion[[:space:]]+4$' <<<"$headers" &&
        grep -Eq '^MinorSubsystemVersion[[:space:]]+0$' <<<"$headers" ||
        { echo "$name: subsystem version is not 4.0"; failed=1; }
    while read -r dll; do
        grep -Eiq "$allowed" <<<"$dll" || { echo "$name: imports from $dll"; failed=1; }
    done < <(awk '/DLL Name:/ {print $3}' <<<"$headers")
    # Imported names: rows of the hint/name tables under each DLL.
    wide=$(awk '/DLL Name:/ {inside=1; next} inside && NF == 0 {inside=0}
                inside && $1 ~ /^[0-9a-f]+$/ && NF >= 3 {print $3}' <<<"$headers" |
           grep -E '[a-z0-9]W$' || true)
    [ -z "$wide" ] || { echo "$name: wide-character imports:" $wide; failed=1; }
    echo "$name: $(stat -c %s "$image") bytes"
done
exit $failed
