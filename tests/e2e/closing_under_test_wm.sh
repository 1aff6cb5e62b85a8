#!/usr/bin/env bash
# Closes the real program under test_wm, a window manager that answers the
# closing animation's requests in a chosen odd way, on a 1920x1080 Xvfb
# server, and reports how it came through: its exit status, how long it took
# from the close to its end (for people to read; never checked), how many
# ConfigureRequests the window manager got after the close, and the window's
# first and last place while it was watched.
#
#   closing_under_test_wm.sh PROGRAM WINDOW_WATCH TEST_WM PLACE [WM OPTIONS...]
#
# PLACE is where the window is when it is closed: "start" (where it opened)
# or "right-edge" (moved to 1600,50 first, so that its frame overhangs the
# right edge of the screen). The window is watched through a window manager
# that ends, dies or is replaced (window_watch --follow).
#
# Always checked: the program ends with status 0 within 30 s of the close.
# Checked where the environment asks:
#   EXPECT_BOTTOM=1  the window's last place reached the bottom edge of the
#                    screen (y + height >= 1079) before it went;
#   MAX_REQUESTS=N   the window manager got at most N ConfigureRequests of
#                    managed windows after the close;
#   EXPECT_MOVED=1   the window was seen moving down and shrinking;
#   EXPECT_ON_SCREEN=1  the whole window opened on the screen;
#   PICK=1           (Quillon) Return picks the first format: the window
#                    takes the calculator's height and no ERROR box comes up.
# At right-edge, the window must stay where it was moved.
# REPLACE_AFTER=N starts a second test_wm --replace (obeying) once the first
# has logged N ConfigureRequests after the close. KEEP_LOGS=DIR keeps the
# window managers' logs and the samples there.
set -u
[ $# -ge 4 ] || { echo "usage: $0 PROGRAM WINDOW_WATCH TEST_WM PLACE [WM OPTIONS...]" >&2; exit 2; }
binary=$1 watch=$2 test_wm=$3 place=$4
shift 4
case $place in
    start | right-edge) ;;
    *) echo "unknown place $place (start, right-edge)" >&2; exit 2 ;;
esac
for tool in Xvfb xdotool xprop xwininfo dbus-daemon; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
class=$(basename "$binary")
name="$class under test_wm $* at $place"
SCREEN_SIZE=1920x1080x24
source "$(dirname "$0")/session.sh"
start_xvfb
start_session_bus
logs=$SESSION_DIR
keep_logs() {
    if [ -n "${KEEP_LOGS:-}" ]; then
        mkdir -p "$KEEP_LOGS"
        cp "$logs"/wm*.log "$logs"/wm.err "$logs"/samples "$logs"/program.err "$KEEP_LOGS"/ 2>/dev/null
    fi
}

"$test_wm" "$@" --log "$logs/wm.log" 2>"$logs/wm.err" &
WM_PID=$!
STARTED+=("$WM_PID")
wait_for_window_manager || { cat "$logs/wm.err" >&2; exit 1; }

"$binary" 2>"$logs/program.err" &
APP_PID=$!
id=$(wait_for_window "$class") || { echo "FAIL: no window of $class"; exit 1; }
settle "$id"
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}
read -r ox oy ow oh < <(window_box "$id")
echo "  opened at ${ox},${oy} ${ow}x${oh}"
if [ "${EXPECT_ON_SCREEN:-0}" = 1 ]; then
    # test_wm's real frame is 4, 4, 24, 4 whatever extents it tells.
    if ! { [ "$ox" -ge 4 ] && [ "$oy" -ge 24 ] && [ $((ox + ow + 4)) -le 1920 ] &&
        [ $((oy + oh + 4)) -le 1080 ]; }; then
        fail "did not open wholly on the screen"
    fi
fi
if [ "${PICK:-0}" = 1 ]; then
    # The first format: the window takes the calculator's height, 107 px
    # inside at most, and no message box comes up.
    xdotool windowfocus --sync "$id" >/dev/null 2>&1
    xdotool key --clearmodifiers Return
    settle "$id"
    read -r _ _ _ ph < <(window_box "$id")
    echo "  calculator ${ph} px high inside"
    [ "$ph" -le 110 ] || fail "the calculator is $ph px high"
    ! xdotool search --onlyvisible --name '^ERROR$' >/dev/null 2>&1 || fail "an ERROR box came up"
fi
if [ "$place" = right-edge ]; then
    xdotool windowmove --sync "$id" 1600 50 >/dev/null 2>&1
    settle "$id"
    # A move by the user stands.
    read -r mx _ _ _ < <(window_box "$id")
    if ! { [ $((mx - 1600)) -le 4 ] && [ $((mx - 1600)) -ge 0 ]; }; then
        fail "did not stay where it was moved"
    fi
fi

# ConfigureRequests of managed windows that the window managers logged.
requests() {
    cat "$logs"/wm*.log 2>/dev/null | grep -c ' request '
}
before=$(requests)

if [ -n "${REPLACE_AFTER:-}" ]; then
    # Watches the log closely (the animation runs a pass a millisecond or so)
    # and then becomes the second window manager.
    (
        while [ $(( $(requests) - before )) -lt "$REPLACE_AFTER" ]; do
            sleep 0.005
        done
        exec "$test_wm" --replace --log "$logs/wm2.log" 2>>"$logs/wm.err"
    ) &
    STARTED+=($!)
fi

closed=$(date +%s%N)
"$watch" "$id" --close --follow >"$logs/samples" &
watch_pid=$!
await_exit
ended=$(date +%s%N)
APP_PID=""
wait "$watch_pid"
keep_logs

after=$(( $(requests) - before ))
took=$(( (ended - closed) / 1000000 ))
count=$(grep -cE '^[0-9]+ ' "$logs/samples")
reparented=$(grep -c '^parent ' "$logs/samples")
first="" last="" bottom="" deepest=""
if [ "$count" -gt 0 ]; then
    read -r _ x0 y0 w0 h0 < <(grep -E '^[0-9]+ ' "$logs/samples" | head -n 1)
    read -r _ x1 y1 w1 h1 < <(grep -E '^[0-9]+ ' "$logs/samples" | tail -n 1)
    first="${x0},${y0} ${w0}x${h0}" last="${x1},${y1} ${w1}x${h1}" bottom=$((y1 + h1))
    # For people to read: where the last sample is not the lowest place.
    deepest=$(awk '/^[0-9]+ / && (d == "" || $3 + $5 > d) {d = $3 + $5} END {print d}' \
        "$logs/samples")
fi
wm_ends=$(cat "$logs"/wm*.log 2>/dev/null | grep -cE '^(exit|crash)$')
echo "$name"
echo "  status: $status"
echo "  close to exit: ${took} ms (status polled every 50 ms)"
echo "  ConfigureRequests after the close: $after"
echo "  samples: $count, from ${first:-none} to ${last:-none}; last bottom ${bottom:-none}" \
    "(lowest ${deepest:-none}); parent changes $reparented; window manager ends: $wm_ends"

[ "$status" = 0 ] || fail "exit status $status (hang: still running 30 s after the close)"
if [ "${EXPECT_BOTTOM:-0}" = 1 ]; then
    if ! { [ -n "$bottom" ] && [ "$bottom" -ge 1079 ]; }; then
        fail "went before it reached the bottom of the screen (last bottom ${bottom:-none})"
    fi
fi
if [ -n "${MAX_REQUESTS:-}" ]; then
    [ "$after" -le "$MAX_REQUESTS" ] ||
        fail "$after ConfigureRequests after the close, more than $MAX_REQUESTS"
fi
if [ "${EXPECT_MOVED:-0}" = 1 ]; then
    if ! { [ "$count" -ge 3 ] && [ "$y1" -gt "$y0" ] && [ "$w1" -lt "$w0" ] && [ "$h1" -lt "$h0" ]; }; then
        fail "was not seen moving down and shrinking"
    fi
fi
[ "$failed" = 0 ] || exit 1
echo "PASS"
