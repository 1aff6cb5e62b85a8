#!/usr/bin/env bash
# Closes the real program the way the desktop closes a window, on a 1920x1080
# Xvfb server: with no window manager ("bare", a close request as a close box
# sends it), under openbox (Alt+F4), under openbox stopped for 150 ms while
# the window closes ("openbox-frozen"), or under mutter, GNOME's window
# manager (Alt+F4): as an X11 window manager on Xvfb ("mutter"), or as GNOME
# runs it now ("mutter-wayland"), a Wayland compositor whose XWayland server
# the program joins as an X11 client, and whose own keyboard presses Alt+F4.
# Checks that Quillon opens with its whole window centred
# under a window manager, that the program ends with status 0 (waiting at
# most 30 s), and that meanwhile its window moved right and down, shrank, and
# got down to the bottom edge of the screen before it went. A mode ending in
# "-loaded" closes while two processes spin on the CPU; "openbox-screen1" runs
# on the second screen of the X server. Skips (77) where a mutter mode is
# not to be had: mutter 50 has no X11 mode.
#
#   closing_on_x11.sh bare|openbox|openbox-frozen|openbox-screen1|mutter[-loaded]|mutter-wayland[-loaded]
#                     PROGRAM WINDOW_WATCH
set -u
mode=$1 binary=$2 watch=$3
class=$(basename "$binary")
SCREEN_SIZE=1920x1080x24
[ "$mode" = openbox-screen1 ] && SECOND_SCREEN=1
source "$(dirname "$0")/session.sh"
wm=${mode%-loaded}
case $wm in
    bare) start_xvfb ;;
    openbox-frozen | openbox-screen1) start_xvfb && start_wm openbox || exit 1 ;;
    mutter-wayland) start_mutter_wayland || exit 1 ;;
    *) start_xvfb && start_wm "$wm" || exit 1 ;;
esac

"$binary" 2>/dev/null &
APP_PID=$!
id=$(wait_for_window "$class") || { echo "FAIL: no window of $class"; exit 1; }
sleep 0.5
read -r dx dy < <(frame_offset_from_centre "$id")
echo "$mode: opened with its frame ${dx},${dy} px from the centre of the screen"
if [ "$class" = quillon ] && [ "$wm" != bare ] && { [ "${dx#-}" -gt 2 ] || [ "${dy#-}" -gt 2 ]; }; then
    echo "FAIL: not centred"
    exit 1
fi

[ "$wm" = "$mode" ] || start_load
samples=$(mktemp)
if [ "$mode" = bare ]; then
    "$watch" "$id" --close >"$samples" &
    watch_pid=$!
else
    timeout 10 xdotool windowactivate --sync "$id" >/dev/null 2>&1
    "$watch" "$id" >"$samples" &
    watch_pid=$!
    sleep 0.05
    if [ "$wm" = mutter-wayland ]; then
        mutter_keys Alt_L+F4
    else
        xdotool key --clearmodifiers alt+F4
    fi
    if [ "$mode" = openbox-frozen ]; then
        sleep 0.2
        kill -STOP "$WM_PID"
        sleep 0.15
        kill -CONT "$WM_PID"
    fi
fi

await_exit
wait "$watch_pid"
APP_PID=""

read -r _ x0 y0 w0 h0 < <(head -n 1 "$samples")
read -r _ x1 y1 w1 h1 < <(grep -v '^gone' "$samples" | tail -n 1)
count=$(grep -vc '^gone' "$samples")
echo "$mode: status $status; $count positions sampled; from ${x0},${y0} ${w0}x${h0} to ${x1},${y1} ${w1}x${h1}"
[ "$status" = 0 ] || { echo "FAIL: exit status $status"; exit 1; }
[ "$count" -ge 3 ] || { echo "FAIL: the window was not seen moving"; exit 1; }
if [ "$x1" -le "$x0" ] || [ "$y1" -le "$y0" ]; then
    echo "FAIL: did not move right and down"
    exit 1
fi
if [ "$w1" -ge "$w0" ] || [ "$h1" -ge "$h0" ]; then
    echo "FAIL: did not shrink"
    exit 1
fi
[ $((y1 + h1 + 1)) -ge 1080 ] || { echo "FAIL: went before it reached the bottom of the screen"; exit 1; }
echo "PASS"
