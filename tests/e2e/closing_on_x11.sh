#!/usr/bin/env bash
# Closes the real program through a close request on an Xvfb server, with no
# window manager ("bare") or under openbox (Alt+F4), and checks that it ends
# with status 0 within 2 seconds while its window moves right and down and
# shrinks. CLOSE_LIMIT_MS overrides the 2 seconds (sanitizer builds run
# slower).
#
#   closing_on_x11.sh bare|openbox PROGRAM WINDOW_WATCH
set -u
mode=$1 binary=$2 watch=$3
class=$(basename "$binary")
SCREEN_SIZE=1920x1080x24
source "$(dirname "$0")/xvfb_session.sh"
start_xvfb

if [ "$mode" = openbox ]; then
    start_openbox || exit 1
fi

"$binary" 2>/dev/null &
APP_PID=$!
id=$(wait_for_window "$class") || { echo "FAIL: no window of $class"; exit 1; }
sleep 0.3
samples=$(mktemp)
start=$(date +%s%N)
if [ "$mode" = openbox ]; then
    xdotool windowactivate --sync "$id" >/dev/null 2>&1
    "$watch" "$id" >"$samples" &
    watch_pid=$!
    sleep 0.05
    xdotool key --clearmodifiers alt+F4
else
    "$watch" "$id" --close >"$samples" &
    watch_pid=$!
fi

limit=${CLOSE_LIMIT_MS:-2000}
status=timeout
for _ in $(seq 1 $((limit / 50 + 20))); do
    if ! kill -0 "$APP_PID" 2>/dev/null; then
        wait "$APP_PID"
        status=$?
        break
    fi
    sleep 0.05
done
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
wait "$watch_pid"
APP_PID=""

read -r _ x0 y0 w0 h0 < <(head -n 1 "$samples")
read -r _ x1 y1 w1 h1 < <(grep -v '^gone' "$samples" | tail -n 1)
count=$(grep -vc '^gone' "$samples")
echo "$mode: status $status after ${elapsed} ms; $count positions sampled;" \
     "from ${x0},${y0} ${w0}x${h0} to ${x1},${y1} ${w1}x${h1}"
[ "$status" = 0 ] || { echo "FAIL: exit status $status"; exit 1; }
[ "$elapsed" -lt "$limit" ] || { echo "FAIL: took ${elapsed} ms"; exit 1; }
[ "$count" -ge 3 ] || { echo "FAIL: the window was not seen moving"; exit 1; }
[ "$x1" -gt "$x0" ] && [ "$y1" -gt "$y0" ] || { echo "FAIL: did not move right and down"; exit 1; }
[ "$w1" -lt "$w0" ] && [ "$h1" -lt "$h0" ] || { echo "FAIL: did not shrink"; exit 1; }
echo "PASS"
