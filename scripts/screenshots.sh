#!/usr/bin/env bash
# Photographs every window of the four programs on a freshly laid demo
# machine into docs/screens/ (the README's pictures), crossing the real
# restarts the programs make: ROTSEL to the standard driver (PIVOTER then
# refuses) and back, NRXVGCHG's restart into another mode, and NRXDEL's
# uninstall, after which nothing of the product may be left. Checks every
# photographed caption for its title and its close button's glyph, and
# that both tray icons are shown after the first start.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
# The shipped images where this host runs 32-bit code, else the x86_64 builds.
"$ROOT/scripts/setup.sh"
source "$ROOT/scripts/host.sh"
use_one_arch || exit 1
source "$ROOT/scripts/demo.sh"
"$ROOT/scripts/build.sh" "${DEMO_TARGETS[@]}" demo_tour

shots=$DEMO_DIR/shots
out=$ROOT/docs/screens
rm -rf "$shots"
mkdir -p "$shots" "$out"
start_display
demo_reset

failed=0
# stage name, and whether it ends in a restart
stages=(portrait:restart standard:restart portrait-again:restart recorded-mode:restart uninstalled:end)
for entry in "${stages[@]}"; do
    stage=${entry%%:*}
    demo_boot
    [ "$stage" = portrait ] && { demo_tool icons 60 || failed=1; }
    if [ "$stage" = uninstalled ]; then
        sleep 5
        echo "after the uninstall and its restart:"
        demo_tool leftovers "$(win "$DEMO_DIR/manifest.txt")" | iconv -f cp932 -t UTF-8 || failed=1
    fi
    echo "tour: $stage"
    wine "$BUILD_DIR/tests/DEMO_TOUR.exe" "$stage" "$(win "$shots")" </dev/null 2>/dev/null |
        tr -d '\r' | iconv -f cp932 -t UTF-8 | tee -a "$shots/tour.log" || failed=1
    if [ "${entry#*:}" = restart ]; then
        if demo_wait_for_end 60; then echo "tour: Windows restarted"; else echo "tour: no restart"; failed=1; fi
    fi
done
stop_wineserver

rm -f "$out"/*.png
for bmp in "$shots"/*.bmp; do
    convert "$bmp" -strip PNG8:"$out/$(basename "${bmp%.bmp}").png"
done
grep -q 'NOT a cross' "$shots/tour.log" && failed=1
# Wine keeps room for a minimise button in a tool window's small caption,
# though it draws none: the narrow tool window has no room left for its title.
grep 'title pixels 0,' "$shots/tour.log" | grep -v 'caption nrxvgchg-tool-window:' && failed=1
ls -l "$out"
[ $failed = 0 ] && echo "screenshots: all windows photographed" || { echo "screenshots: FAILED"; exit 1; }
