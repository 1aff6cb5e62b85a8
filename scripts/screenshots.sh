#!/usr/bin/env bash
# Remakes the README's pictures: each program's window under Xvfb, driven by
# simulated clicks and keys. A tool, not a check: look at the pictures it
# lists at the end beside what the README says of them (the schedule shows
# the day it was run).
#
#   scripts/screenshots.sh BUILD_DIR OUTPUT_DIR
set -eu
build=$1
out=$2
mkdir -p "$out"
source "$(dirname "$0")/../tests/e2e/session.sh"
start_xvfb

# Captures the client area of window $1 into $2.
capture() {
    local x y w h
    read -r x y w h < <(window_box "$1")
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$2"
}

# Clicks at a point of window $1, in pixels from its top-left corner.
click() {
    local x y
    read -r x y _ < <(window_box "$1")
    xdotool mousemove $((x + $2)) $((y + $3)) click 1
    sleep 0.2
}

"$build/quillon/quillon" 2>/dev/null &
APP_PID=$!
id=$(wait_for_window quillon)
sleep 0.5
capture "$id" "$out/quillon-picker.png"
click "$id" 142 47           # DD:MM:YYYY
click "$id" 95 15            # the day box
# The boxes refuse Ctrl+A like every control key: empty them with Backspace.
for text in 15 11 2023 90; do
    xdotool key End BackSpace BackSpace BackSpace BackSpace type --delay 40 "$text"
    xdotool key Tab
done
click "$id" 250 18           # the calculator button
xdotool mousemove 0 0
sleep 0.3
capture "$id" "$out/quillon-calculator.png"
kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true

"$build/marrasket/marrasket" 2>/dev/null &
APP_PID=$!
id=$(wait_for_window marrasket)
sleep 0.5
capture "$id" "$out/marrasket-schedule.png"
click "$id" 30 9             # Enter Date
xdotool type --delay 40 "05032021"
xdotool type --delay 40 "10"
xdotool mousemove 0 0
sleep 0.3
capture "$id" "$out/marrasket-entry.png"
click "$id" 30 9             # Get Dates
xdotool mousemove 0 0
sleep 0.3
capture "$id" "$out/marrasket-custom-row.png"
kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true
ls "$out"
