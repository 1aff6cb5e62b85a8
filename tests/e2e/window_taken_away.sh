#!/usr/bin/env bash
# Another client destroys the program's window (as a session manager or a
# failing window manager can): the program ends with status 0, as after a
# close, within 30 s.
#
#   window_taken_away.sh PROGRAM
set -u
binary=$1
class=$(basename "$binary")
source "$(dirname "$0")/session.sh"
start_xvfb
start_wm openbox || exit 1
"$binary" 2>/dev/null &
APP_PID=$!
id=$(wait_for_window "$class") || { echo "FAIL: no window of $class"; exit 1; }
xdotool windowclose "$id"
await_exit
APP_PID=""
echo "status $status"
[ "$status" = 0 ] || { echo "FAIL: exit status $status"; exit 1; }
echo "PASS"
