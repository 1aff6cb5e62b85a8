#!/usr/bin/env bash
# Quillon on a screen made of two RandR monitors, under openbox: it opens
# with its whole window centred on the monitor the layout means by the
# screen (the primary one; with none, the one that holds the pointer), and
# its close slides it off the bottom of the monitor it stands on, never
# jumping back at the seam (status 0, at most 30 s).
#
#   monitors.sh right-primary|pointer-right|short-right QUILLON WINDOW_WATCH
#
# right-primary: two 1920x1080 monitors, the right one primary;
# pointer-right: the same with no primary, the pointer on the right one;
# short-right: 1920x1080 (primary) and 1280x1024 to its right, the window
# moved onto the shorter one before it closes.
set -u
layout=$1 binary=$2 watch=$3
SCREEN_SIZE=3840x1080x24
[ "$layout" = short-right ] && SCREEN_SIZE=3200x1080x24
# shellcheck source=session.sh
source "$(dirname "$0")/session.sh"
start_xvfb
command -v xrandr >/dev/null || { echo "SKIP: no xrandr"; exit 77; }
monitor() {  # NAME WIDTHxHEIGHT+X+Y, a name with * for the primary one
    local size=${2%%+*} at=${2#*+}
    xrandr --setmonitor "$1" "${size%x*}/500x${size#*x}/300+${at}" none
}
case $layout in
    right-primary) monitor left 1920x1080+0+0 && monitor '*right' 1920x1080+1920+0 ;;
    pointer-right) monitor left 1920x1080+0+0 && monitor right 1920x1080+1920+0 &&
        xdotool mousemove 2500 500 ;;
    short-right) monitor '*left' 1920x1080+0+0 && monitor right 1280x1024+1920+0 ;;
    *) echo "unknown layout $layout"; exit 2 ;;
esac || { echo "SKIP: this X server makes no RandR monitors"; exit 77; }
# The server's own monitor of the whole screen would stand over both.
xrandr --delmonitor screen >/dev/null 2>&1
start_wm openbox || exit 1

"$binary" 2>/dev/null &
APP_PID=$!
id=$(wait_for_window quillon) || { echo "FAIL: no window"; exit 1; }
settle "$id"
read -r x y w h < <(window_box "$id")
read -r l r t b < <(frame_extents "$id")
if [ "$layout" != short-right ]; then
    # The whole window in the middle of the right-hand monitor.
    dx=$(((x - l - 1920) - (1920 - (w + l + r)) / 2))
    dy=$(((y - t) - (1080 - (h + t + b)) / 2))
    echo "$layout: opened with its frame ${dx},${dy} px from the middle of the right-hand monitor"
    if ! { [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ]; }; then
        echo "FAIL: not centred there"
        exit 1
    fi
else
    xdotool windowmove --sync "$id" 2300 300
    settle "$id"
fi

samples=$(mktemp)
close_and_watch "$watch" "$id" "$samples"
grep -v '^gone' "$samples" >"$samples.moves"
read -r _ x0 y0 _ _ < <(head -n 1 "$samples.moves")
read -r _ x1 y1 _ h1 < <(tail -n 1 "$samples.moves")
bottom=1080
[ "$layout" = short-right ] && bottom=1024
back=$(awk 'NR > 1 && ($2 < x - 2 || $3 < y - 2) { print $0 " after " x "," y; exit }
    { x = $2; y = $3 }' "$samples.moves")
echo "$layout: status $status; $(wc -l <"$samples.moves") places from ${x0},${y0} to ${x1},${y1}"
rm -f "$samples" "$samples.moves"
[ "$status" = 0 ] || { echo "FAIL: exit status $status"; exit 1; }
[ -z "$back" ] || { echo "FAIL: jumped back: $back"; exit 1; }
if ! { [ "$x1" -gt "$x0" ] && [ $((y1 + h1 + 1)) -ge "$bottom" ]; }; then
    echo "FAIL: did not slide off the bottom of its monitor"
    exit 1
fi
echo "PASS"
