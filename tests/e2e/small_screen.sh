#!/usr/bin/env bash
# Quillon on a screen smaller than its window (320x200, openbox): its title
# bar stays on the screen, before and after a format is picked.
#
#   small_screen.sh QUILLON
set -u
binary=$1
SCREEN_SIZE=320x200x24
source "$(dirname "$0")/session.sh"
start_xvfb
start_wm openbox || exit 1

frame_top_left() {
    local l r t b x y _
    read -r l r t b < <(frame_extents "$1")
    read -r x y _ < <(window_box "$1")
    echo $((x - l)) $((y - t))
}

"$binary" 2>/dev/null &
APP_PID=$!
id=$(wait_for_window quillon) || { echo "FAIL: no window"; exit 1; }
settle "$id"
read -r x y < <(frame_top_left "$id")
echo "the picker's frame at ${x},${y}"
if ! { [ "$x" -ge 0 ] && [ "$y" -ge 0 ]; }; then
    echo "FAIL: title bar off the screen"
    exit 1
fi
xdotool windowactivate --sync "$id" >/dev/null 2>&1
xdotool key --clearmodifiers Return
settle "$id"
read -r x y < <(frame_top_left "$id")
echo "the calculator's frame at ${x},${y}"
if ! { [ "$x" -ge 0 ] && [ "$y" -ge 0 ]; }; then
    echo "FAIL: title bar off the screen"
    exit 1
fi
echo "PASS"
