# Sourced: starts what a Wine session needs for the build tree in BUILD_DIR:
# an X display (Xvfb when there is none) and one persistent wineserver.
# end_session stops both.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

start_session() {
    start_display
    wineserver -p
}

# An X display: Xvfb when there is none; end_session stops it.
start_display() {
    XVFB_PID=
    if [ -z "${DISPLAY:-}" ]; then
        local n=90
        while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    fi
    trap end_session EXIT
}

# Wine's own processes start with the first program: let that be one that
# holds no pipe of the caller's and keeps the desktop open for the whole run.
start_desktop_keeper() {
    wine "$BUILD_DIR/tests/desktop_keeper.exe" </dev/null >/dev/null 2>&1 &
    sleep 3
}

end_session() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}
