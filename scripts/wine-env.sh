# Sourced: the Wine environment of one build tree. Everything Wine writes
# stays inside "$BUILD_DIR/wine"; the user's ~/.wine is never touched.
: "${BUILD_DIR:?BUILD_DIR must name the build tree}"
export WINEPREFIX="$BUILD_DIR/wine/prefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_DATA_HOME="$BUILD_DIR/wine/xdg-data"
export XDG_CONFIG_HOME="$BUILD_DIR/wine/xdg-config"
export XDG_CACHE_HOME="$BUILD_DIR/wine/xdg-cache"
export LANG=ja_JP.UTF-8
