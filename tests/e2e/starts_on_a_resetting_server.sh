#!/usr/bin/env bash
# A program started on an X server that has no other client, and that resets
# when its last client leaves, opens its window every time.
#
#   starts_on_a_resetting_server.sh PROGRAM STARTS
set -u
binary=$1 starts=$2
class=$(basename "$binary")
source "$(dirname "$0")/session.sh"
XVFB_RESETS=1 start_xvfb

failures=0
for i in $(seq 1 "$starts"); do
    "$binary" 2>/tmp/starts-$$.err &
    APP_PID=$!
    if ! wait_for_window "$class" >/dev/null; then
        failures=$((failures + 1))
        echo "start $i: no window: $(head -n 1 /tmp/starts-$$.err)"
    fi
    kill "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
    APP_PID=""
done
rm -f /tmp/starts-$$.err
echo "$starts starts, $failures without a window"
[ "$failures" -eq 0 ] && echo PASS
