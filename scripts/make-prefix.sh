#!/usr/bin/env bash
# Creates the build tree's Wine prefix once: Japanese, Windows 98, every
# program on one 1024x768 virtual desktop, Japanese fonts for the MS names.
set -euo pipefail
BUILD_DIR=$(cd "$1" && pwd)
source "$(dirname "$0")/wine-env.sh"

# Drive S: is a scratch drive of the tests: the uninstaller works on the root
# of the Windows directory's drive, which in-process tests put there.
link_scratch_drive() {
    mkdir -p "$BUILD_DIR/wine/scratch-drive"
    [ -e "$WINEPREFIX/dosdevices/s:" ] || ln -s "$BUILD_DIR/wine/scratch-drive" "$WINEPREFIX/dosdevices/s:"
}

[ -f "$WINEPREFIX/.ready" ] && { link_scratch_drive; exit 0; }
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"
echo "make-prefix: creating $WINEPREFIX"
wineboot -i >/dev/null 2>&1
wineserver -w

settings="$BUILD_DIR/wine/prefix-settings.reg"
# regedit reads UTF-16 files; the font names are Japanese.
iconv -f UTF-8 -t UTF-16 > "$settings" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine]
"Version"="win98"

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS PGothic"="IPAPGothic"
"MS Gothic"="IPAGothic"
"MS UI Gothic"="IPAPGothic"
REG
wine regedit /S "$settings" >/dev/null 2>&1
wineserver -w
link_scratch_drive
touch "$WINEPREFIX/.ready"
