#!/usr/bin/env bash
# Creates a Wine prefix once (the build tree's, or the one given): Japanese,
# Windows 98, every program on one 1024x768 virtual desktop, Japanese fonts
# for the MS names and the Windows 98 look: its standard colours, and its
# fonts in captions, menus and boxes.
# A prefix made by an earlier version of this script gets the settings only.
set -euo pipefail
BUILD_DIR=$(cd "$1" && pwd)
source "$(dirname "$0")/wine-env.sh"
[ $# -gt 1 ] && WINEPREFIX=$(realpath -m "$2")
SETTINGS_VERSION=3

# The tests' own drives: S: is a scratch drive (the uninstaller works on the
# root of the Windows directory's drive, which in-process tests put there);
# A: holds the release as a user unpacks it from its floppy disk.
link_test_drives() {
    [ $# -gt 1 ] && return 0  # only the tests' prefix
    link_drive s: scratch-drive
    link_drive a: release-drive
}
link_drive() {
    mkdir -p "$BUILD_DIR/wine/$2"
    ln -sfn "$BUILD_DIR/wine/$2" "$WINEPREFIX/dosdevices/$1"
}

# A LOGFONT of the window metrics as regedit hex: height, weight, face name;
# character set SHIFTJIS.
logfont() {
    local height=$1 weight=$2 bytes n=0 out
    out=$(printf '%02x,%02x,%02x,%02x,00,00,00,00,00,00,00,00,00,00,00,00,%02x,%02x,00,00,00,00,00,80,00,00,00,00' \
        $((height & 255)) $(((height >> 8) & 255)) $(((height >> 16) & 255)) $(((height >> 24) & 255)) \
        $((weight & 255)) $((weight >> 8)))
    bytes=$(printf '%s' "$3" | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1)
    for b in $bytes; do out+=",$b"; n=$((n + 1)); done
    while [ $n -lt 64 ]; do out+=",00"; n=$((n + 1)); done
    echo "$out"
}

if [ "$(cat "$WINEPREFIX/.ready" 2>/dev/null)" = "$SETTINGS_VERSION" ]; then
    link_test_drives "$@"
    exit 0
fi
if [ ! -f "$WINEPREFIX/.ready" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"
    echo "make-prefix: creating $WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1
    wineserver -w
fi

# Debian's Wine looks for its own fonts beside the system's, not where the
# fonts-wine package puts them: without Marlett every caption button shows
# the letter it is drawn with ("r" for the close button).
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

settings="$WINEPREFIX/../prefix-settings.reg"
gothic='ＭＳ Ｐゴシック'
# regedit reads UTF-16 files; the font names are Japanese.
iconv -f UTF-8 -t UTF-16 > "$settings" <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine]
"Version"="win98"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS PGothic"="IPAPGothic"
"MS Gothic"="IPAGothic"
"MS UI Gothic"="IPAPGothic"

[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]
"CaptionFont"=hex:$(logfont -12 700 "$gothic")
"SmCaptionFont"=hex:$(logfont -12 400 "$gothic")
"MenuFont"=hex:$(logfont -12 400 "$gothic")
"MessageFont"=hex:$(logfont -12 400 "$gothic")
"StatusFont"=hex:$(logfont -12 400 "$gothic")
"IconFont"=hex:$(logfont -12 400 "$gothic")
[HKEY_CURRENT_USER\\Control Panel\\Colors]
"ActiveBorder"="192 192 192"
"ActiveTitle"="0 0 128"
"AppWorkSpace"="128 128 128"
"Background"="0 128 128"
"ButtonDkShadow"="0 0 0"
"ButtonFace"="192 192 192"
"ButtonHilight"="255 255 255"
"ButtonLight"="192 192 192"
"ButtonShadow"="128 128 128"
"ButtonText"="0 0 0"
"GradientActiveTitle"="16 132 208"
"GradientInactiveTitle"="192 192 192"
"GrayText"="128 128 128"
"Hilight"="0 0 128"
"HilightText"="255 255 255"
"InactiveBorder"="192 192 192"
"InactiveTitle"="128 128 128"
"InactiveTitleText"="192 192 192"
"InfoText"="0 0 0"
"InfoWindow"="255 255 225"
"Menu"="192 192 192"
"MenuText"="0 0 0"
"Scrollbar"="192 192 192"
"TitleText"="255 255 255"
"Window"="255 255 255"
"WindowFrame"="0 0 0"
"WindowText"="0 0 0"
REG
wine regedit /S "$settings" >/dev/null 2>&1
wineserver -w
link_test_drives "$@"
echo "$SETTINGS_VERSION" > "$WINEPREFIX/.ready"
