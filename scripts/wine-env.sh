# Sourced: the Wine environment of one build tree. Everything Wine writes
# stays inside WINE_DIR ("$BUILD_DIR/wine" for the tests, "$BUILD_DIR/demo"
# for the demo machine); the user's ~/.wine is never touched. SUITE_ARCH
# says which build the tree holds: i686 (the default) runs under 32-bit Wine
# in a win32 prefix, x86_64 under 64-bit Wine in a win64 prefix.
: "${BUILD_DIR:?BUILD_DIR must name the build tree}"
export SUITE_ARCH=${SUITE_ARCH:-i686}
WINE_DIR=${WINE_DIR:-$BUILD_DIR/wine}
export WINEPREFIX="$WINE_DIR/prefix"
# Debian's /usr/bin/wine takes the 32-bit loader whenever wine32 is
# installed, so each build calls its loader itself.
case $SUITE_ARCH in
    x86_64) export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 ;;
    *) export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine ;;
esac
wine() { "$WINELOADER" "$@"; }
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_DATA_HOME="$WINE_DIR/xdg-data"
export XDG_CONFIG_HOME="$WINE_DIR/xdg-config"
export XDG_CACHE_HOME="$WINE_DIR/xdg-cache"
export LANG=ja_JP.UTF-8
