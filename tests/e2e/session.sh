# Shared by the end-to-end scripts: starts an Xvfb server on a free display
# and stops it, with everything started under it, when the script exits.
# Sourcing scripts set SCREEN_SIZE (default 1024x768x24) before sourcing.

start_xvfb() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${SCREEN_SIZE:-1024x768x24}" -nolisten tcp -noreset 3>"$fifo" \
        >/dev/null 2>&1 &
    XVFB_PID=$!
    local number
    if ! read -r -t 10 number <"$fifo"; then
        rm -f "$fifo"
        echo "Xvfb did not start" >&2
        exit 1
    fi
    rm -f "$fifo"
    export DISPLAY=":$number"
    unset WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=xcb
    trap stop_xvfb EXIT
}

# Written with if, not &&, so that a script under set -e runs all of it.
stop_xvfb() {
    if [ -n "${APP_PID:-}" ]; then
        kill "$APP_PID" 2>/dev/null || true
    fi
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
    fi
    wait 2>/dev/null || true
}

# Waits up to 10 s for a mapped window of the program whose window class is
# $1; prints its id.
wait_for_window() {
    local class=$1 id
    for _ in $(seq 1 100); do
        id=$(xdotool search --onlyvisible --classname "^${class}\$" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Starts openbox and waits until it manages the screen; sets WM_PID.
start_openbox() {
    openbox --config-file /dev/null >/dev/null 2>&1 &
    WM_PID=$!
    for _ in $(seq 1 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.05
    done
    echo "openbox did not start" >&2
    return 1
}
