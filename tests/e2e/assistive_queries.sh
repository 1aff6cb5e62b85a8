#!/usr/bin/env bash
# Every text box of the real program answers the queries a screen reader and
# a magnifier make over AT-SPI, whatever offsets they name: Quillon's
# calculator and Marrasket's entry mode, with something typed in each box,
# on Xvfb under openbox (assistive_queries.py says what is asked).
#
#   assistive_queries.sh PROGRAM
set -u
binary=$1
name=$(basename "$binary")
here=$(dirname "$0")
# shellcheck source=session.sh
source "$here/session.sh"
require_atspi
start_assistive_desktop

"$binary" 2>/dev/null &
APP_PID=$!
id=$(wait_for_window "$name") || { echo "FAIL: no window of $name"; exit 1; }
xdotool windowactivate --sync "$id"
sleep 0.5
if [ "$name" = quillon ]; then
    xdotool key Return
else
    xdotool key alt+e
    sleep 0.5
    xdotool key --delay 50 1 2 0 3 2 0 2 1 4 5
fi
sleep 0.5
/usr/bin/python3 "$here/assistive_queries.py" "$name"
result=$?
kill -0 "$APP_PID" 2>/dev/null || { echo "FAIL: $name ended"; exit 1; }
[ $result -eq 0 ] && echo PASS
exit $result
