#!/usr/bin/env bash
# Runs the real program natively on a headless sway (Wayland, no X display
# at all) RUNS times, closing its window as sway does (its kill command), and
# checks that it ends with status 0 every time, waiting at most 30 s, after
# its window shrank where the compositor keeps it.
#
#   closing_on_sway.sh PROGRAM RUNS
set -u
binary=$1 runs=$2
source "$(dirname "$0")/session.sh"
start_sway || exit 1

# The size of the program's window as sway has it, "width height"; nothing
# when it has none.
window_size() {
    swaymsg -t get_tree | jq -r --argjson pid "$1" \
        'first(.. | objects | select(.pid? == $pid)) | "\(.window_rect.width) \(.window_rect.height)"'
}

for run in $(seq 1 "$runs"); do
    "$binary" 2>/dev/null &
    APP_PID=$!
    first=""
    for _ in $(seq 1 100); do
        first=$(window_size "$APP_PID")
        [ -n "$first" ] && break
        sleep 0.1
    done
    [ -n "$first" ] || { echo "FAIL: run $run: no window"; exit 1; }
    sleep 0.3
    swaymsg -q "[pid=$APP_PID] kill"
    smallest=$first
    note_size() {
        local size
        size=$(window_size "$APP_PID")
        [ -n "$size" ] && smallest=$size
    }
    await_exit note_size
    APP_PID=""
    echo "run $run: status $status; window ${first/ /x}, smallest seen ${smallest/ /x}"
    [ "$status" = 0 ] || { echo "FAIL: run $run: exit status $status"; exit 1; }
    read -r w0 h0 <<<"$first"
    read -r w1 h1 <<<"$smallest"
    [ "$w1" -lt "$w0" ] && [ "$h1" -lt "$h0" ] || { echo "FAIL: run $run: the window did not shrink"; exit 1; }
done
echo "PASS"
