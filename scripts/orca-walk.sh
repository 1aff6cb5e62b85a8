#!/usr/bin/env bash
# Walks both programs by keyboard on Xvfb under openbox with Orca listening,
# and prints what Orca would have spoken (its debug log's speech lines):
# word navigation in a box, Tab into a box holding 2021, a format picked, a
# century refusal, Alt+E and Alt+G, F1 for the notices, and a Get Dates
# stopped by a number of days that is no number. A tool for a person to
# read, not a check: look that each step is spoken once, in words a
# listener follows (a box's name and text, the error's message, the notice),
# and that "Quillon still answers: yes". Needs orca, at-spi2-core, Xvfb,
# openbox and xdotool.
#
#   scripts/orca-walk.sh [QUILLON] [MARRASKET] [LOG_FOLDER]
set -u
quillon=${1:-build/quillon/quillon} marrasket=${2:-build/marrasket/marrasket}
logs=${3:-/tmp/orca-walk}
mkdir -p "$logs"
source "$(dirname "$0")/../tests/e2e/session.sh"
SCREEN_SIZE=1920x1080x24
start_assistive_desktop

# Starts Orca with a debug log of its own, $logs/$1.log.
start_orca() {
    HOME=$SESSION_DIR/home orca --replace --debug-file="$logs/$1.log" >/dev/null 2>&1 &
    ORCA_PID=$!
    STARTED+=("$ORCA_PID")
    sleep 4
}

# Gives Orca time to speak the last key's news, then stops it and the
# program. Orca writes its log through a buffer that it does not flush as it
# ends: a few presses of Shift, which it logs at length, push the news out.
stop_listened() {
    sleep 2
    keys shift shift shift shift
    kill "$ORCA_PID" "$APP_PID"; APP_PID=""
    sleep 1
}

keys() {  # each argument a key, a second apart: Orca sees every key first
    local key
    for key in "$@"; do
        xdotool key --clearmodifiers "$key"
        sleep 1
    done
}

# Starts program $1 with Orca listening, its log named after the window
# class $2; sets APP_PID and id, the program's window, active.
start_listened() {
    start_orca "$2"
    "$1" 2>/dev/null &
    APP_PID=$!
    id=$(wait_for_window "$2")
    settle "$id"
    xdotool windowactivate --sync "$id"
    sleep 1
}

mkdir -p "$SESSION_DIR/home"
start_listened "$quillon" quillon
keys Return                                    # DD:MM:YYYY picked
keys 0 1 Tab 0 2 Tab 2 0 2 1                   # 01/02/2021 typed
keys Home ctrl+Right ctrl+Right                # word moves to the end of the year box
keys shift+Tab shift+Tab Tab Tab               # back to the day box, then Tab into the year box
keys F1
keys Tab 9 0 Tab Return                        # 90 days, Tab to the calculator, Return
sleep 1
echo "Quillon still answers: $(xdotool getwindowname "$id" >/dev/null 2>&1 && kill -0 "$APP_PID" && echo yes)"
stop_listened

start_listened "$marrasket" marrasket
keys alt+e
keys 2 9 0 2 2 1 0 0 alt+g Return             # 29/02/2100: the century refusal, OK
keys alt+e 0 1 0 2 2 0 2 1 alt+g               # 01/02/2021: the schedule
keys F1
keys alt+e F1                                  # the entry mode's notice
keys 0 1 0 2 2 0 2 1 5 percent alt+g Return   # 5% days: the run-time error, OK
stop_listened
for log in quillon marrasket; do
    echo "== $log"
    grep -E "SPEECH OUTPUT: '" "$logs/$log.log" | sed "s/.*SPEECH OUTPUT: //" | uniq |
        grep -v "^'left shift '"
done
