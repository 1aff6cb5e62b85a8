#!/usr/bin/env bash
# Walks both programs by keyboard on Xvfb under openbox with Orca listening,
# and prints what Orca would have spoken (its debug log's speech lines):
# word navigation in a box, Tab into a box holding 2021, a format picked, a
# century refusal, Alt+E and Alt+G, and F1 for the notices. Needs orca,
# at-spi2-core, Xvfb, openbox and xdotool.
#
#   scripts/orca-walk.sh [QUILLON] [MARRASKET] [LOG_FOLDER]
set -u
quillon=${1:-build/quillon/quillon} marrasket=${2:-build/marrasket/marrasket}
logs=${3:-/tmp/orca-walk}
mkdir -p "$logs"
source "$(dirname "$0")/../tests/e2e/session.sh"
SCREEN_SIZE=1920x1080x24
start_session_bus
start_xvfb
start_openbox
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
STARTED+=($!)
sleep 1
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 GTK_MODULES=gail:atk-bridge

# Starts Orca with a debug log of its own; prints the log's path.
start_orca() {
    HOME=$SESSION_DIR/home orca --replace --debug-file="$logs/$1.log" >/dev/null 2>&1 &
    STARTED+=($!)
    sleep 4
}

keys() {  # each argument a key, a second apart: Orca sees every key first
    local key
    for key in "$@"; do
        xdotool key --clearmodifiers "$key"
        sleep 1
    done
}

mkdir -p "$SESSION_DIR/home"
start_orca quillon
"$quillon" 2>/dev/null &
APP_PID=$!
id=$(wait_for_window quillon)
settle "$id"
xdotool windowactivate --sync "$id"; sleep 1
keys Return                                    # DD:MM:YYYY picked
keys 0 1 Tab 0 2 Tab 2 0 2 1                   # 01/02/2021 typed
keys Home ctrl+Right ctrl+Right                # word moves to the end of the year box
keys shift+Tab shift+Tab Tab Tab               # back to the day box, then Tab into the year box
keys F1
keys Tab 9 0 Return                            # 90 days, Calculate
sleep 1
echo "Quillon still answers: $(xdotool getwindowname "$id" >/dev/null 2>&1 && kill -0 $APP_PID && echo yes)"
kill $APP_PID; APP_PID=""
sleep 1

start_orca marrasket
"$marrasket" 2>/dev/null &
APP_PID=$!
id=$(wait_for_window marrasket)
settle "$id"
xdotool windowactivate --sync "$id"; sleep 1
keys alt+e
keys 2 9 0 2 2 1 0 0 alt+g Return             # 29/02/2100: the century refusal, OK
keys alt+e 0 1 0 2 2 0 2 1 alt+g               # 01/02/2021: the schedule
keys F1
kill $APP_PID; APP_PID=""
sleep 1
for log in quillon marrasket; do
    echo "== $log"
    grep -E "SPEECH OUTPUT: '" "$logs/$log.log" | sed "s/.*SPEECH OUTPUT: //" | uniq
done
