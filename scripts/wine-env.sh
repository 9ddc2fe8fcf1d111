# Sourced: the Wine environment of one build tree. Everything Wine writes
# stays inside WINE_DIR ("$BUILD_DIR/wine" for the tests, "$BUILD_DIR/demo"
# for the demo machine); the user's ~/.wine is never touched.
: "${BUILD_DIR:?BUILD_DIR must name the build tree}"
WINE_DIR=${WINE_DIR:-$BUILD_DIR/wine}
export WINEPREFIX="$WINE_DIR/prefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_DATA_HOME="$WINE_DIR/xdg-data"
export XDG_CONFIG_HOME="$WINE_DIR/xdg-config"
export XDG_CACHE_HOME="$WINE_DIR/xdg-cache"
export LANG=ja_JP.UTF-8
