#!/usr/bin/env bash
# Marrasket on Xvfb under openbox: chooses Get Dates with empty boxes (an
# "ERROR" box each time) and closes the box with Escape, CYCLES times, a key
# every DELAY_MS milliseconds, as an impatient user or a script would. Every
# 100 cycles it checks that Alt+G still brings up a box within 2 s.
#
#   scripts/error-box-cycles.sh [BINARY] [CYCLES] [DELAY_MS]
set -u
binary=${1:-build/marrasket/marrasket} cycles=${2:-1000} delay=${3:-25}
source "$(dirname "$0")/../tests/e2e/session.sh"
start_xvfb
start_openbox

"$binary" 2>/dev/null &
APP_PID=$!
id=$(wait_for_window marrasket) || { echo "FAIL: no window"; exit 1; }
xdotool windowactivate --sync "$id"
xdotool key --delay 100 alt+e

box_shows() {
    for _ in $(seq 1 40); do
        xdotool search --onlyvisible --name '^ERROR$' >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    return 1
}

for ((i = 1; i <= cycles; i++)); do
    xdotool key --delay "$delay" alt+g Escape
    if ((i % 100 == 0)); then
        sleep 0.3
        xdotool key alt+g
        if ! box_shows; then
            echo "FAIL: Alt+G brings no box after $i cycles"
            exit 1
        fi
        xdotool key Escape
        sleep 0.3
    fi
done
echo "PASS: Alt+G answered through $cycles cycles"
