#!/usr/bin/env bash
# Marrasket on Xvfb under openbox: chooses Get Dates with empty boxes (an
# "ERROR" box each time) and closes the box with Escape, CYCLES times, a key
# every DELAY_MS milliseconds, as an impatient user or a script would. Every
# 100 cycles, once any box left standing has gone on Escape, Alt+G must
# still bring up a box within 2 s and Escape close it within 2 s; at the end
# the program must still run. Prints PASS, or FAIL and why (exit 1).
#
#   error_box_cycles.sh MARRASKET [CYCLES] [DELAY_MS]
set -u
binary=$1 cycles=${2:-1000} delay=${3:-25}
source "$(dirname "$0")/session.sh"
start_xvfb
start_openbox || exit 1

"$binary" 2>/dev/null &
APP_PID=$!
id=$(wait_for_window marrasket) || { echo "FAIL: no window"; exit 1; }
xdotool windowactivate --sync "$id"
xdotool key --delay 100 alt+e

box_shows() {
    xdotool search --onlyvisible --name '^ERROR$' >/dev/null 2>&1
}

# Waits at most 2 s for the box to show ($1 = 1) or to be gone ($1 = 0).
await_box() {
    for _ in $(seq 1 40); do
        if box_shows; then
            [ "$1" = 1 ] && return 0
        else
            [ "$1" = 0 ] && return 0
        fi
        sleep 0.05
    done
    return 1
}

for ((i = 1; i <= cycles; i++)); do
    xdotool key --delay "$delay" alt+g Escape
    if ((i % 100 == 0)); then
        sleep 0.3
        # An Escape that came before its box leaves the box standing.
        if box_shows; then
            xdotool key Escape
            await_box 0 || { echo "FAIL: Escape leaves the box standing after $i cycles"; exit 1; }
        fi
        xdotool key alt+g
        await_box 1 || { echo "FAIL: Alt+G brings no box after $i cycles"; exit 1; }
        xdotool key Escape
        await_box 0 || { echo "FAIL: Escape does not close the box after $i cycles"; exit 1; }
    fi
done
kill -0 "$APP_PID" 2>/dev/null || { echo "FAIL: Marrasket ended"; exit 1; }
echo "PASS: Alt+G answered through $cycles cycles"
