#!/usr/bin/env bash
# Runs the real program natively on a headless sway (Wayland, no X display
# at all) RUNS times, closing its window as sway does (its kill command), and
# checks that it ends with status 0 every time, waiting at most 30 s, after
# its window shrank where the compositor keeps it. Every size the program
# gives its window is read from its own Wayland protocol log, so no shrink,
# however fast, goes unseen.
#
#   closing_on_sway.sh PROGRAM RUNS
set -u
binary=$1 runs=$2
source "$(dirname "$0")/session.sh"
start_sway || exit 1

# The sizes the program gave its window, in order, "width height" a line,
# from the protocol log $1.
window_sizes() {
    sed -n 's/.*xdg_surface@[0-9]*\.set_window_geometry([-0-9]*, [-0-9]*, \([0-9]*\), \([0-9]*\)).*/\1 \2/p' "$1"
}

log=$SESSION_DIR/protocol.log
for run in $(seq 1 "$runs"); do
    WAYLAND_DEBUG=client "$binary" 2>"$log" &
    APP_PID=$!
    for _ in $(seq 1 100); do
        swaymsg -t get_tree | grep -q "\"pid\": $APP_PID," && break
        sleep 0.1
    done
    sleep 0.3
    swaymsg -q "[pid=$APP_PID] kill"
    await_exit
    APP_PID=""
    first=$(window_sizes "$log" | head -n 1)
    smallest=$(window_sizes "$log" | sort -n -k1,1 -k2,2 | head -n 1)
    [ -n "$first" ] || { echo "FAIL: run $run: no window"; exit 1; }
    echo "run $run: status $status; window ${first/ /x}, smallest ${smallest/ /x}"
    [ "$status" = 0 ] || { echo "FAIL: run $run: exit status $status"; exit 1; }
    read -r w0 h0 <<<"$first"
    read -r w1 h1 <<<"$smallest"
    if ! { [ "$w1" -lt "$w0" ] && [ "$h1" -lt "$h0" ]; }; then
        echo "FAIL: run $run: the window did not shrink"
        exit 1
    fi
done
echo "PASS"
