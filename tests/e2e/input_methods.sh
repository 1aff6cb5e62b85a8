#!/usr/bin/env bash
# Types through a real input method (IBus or fcitx5, US international
# layout) into every typing box of the real program on Xvfb under openbox:
# digits, dead keys (acute + e makes é, which the key filter refuses; acute +
# space makes an apostrophe, which it lets in) and a compose sequence
# (Compose 1 2 makes ½), in Marrasket at each point where a box hands the
# focus on. Then reads the boxes over AT-SPI and checks what each holds, and
# that the program is still running.
#
#   input_methods.sh ibus|fcitx5 PROGRAM
set -u
im=$1 binary=$2
name=$(basename "$binary")
here=$(dirname "$0")
# shellcheck source=session.sh
source "$here/session.sh"
require_atspi
start_assistive_desktop
start_input_method "$im"

"$binary" 2>/dev/null &
APP_PID=$!
id=$(wait_for_window "$name") || { echo "FAIL: no window of $name"; exit 1; }
xdotool windowactivate --sync "$id"
sleep 0.5

keys() {
    xdotool key --delay 80 "$@"
}

if [ "$name" = quillon ]; then
    keys Return
    sleep 0.5
    before=$("$here/box_texts.py" "$name" | grep '^Result')
    # Day, month, year, number of days, the calculate button, the result day.
    keys BackSpace BackSpace 1 dead_acute e 2
    keys Tab 0 dead_acute space
    keys Tab 2 Multi_key 1 2 0 2 1 dead_acute space
    keys Tab 9 dead_acute e 0
    keys Tab Tab dead_acute space 5
    expected="Day=12
Month=0'
Year=2021
Number of days=90
$before"
else
    keys alt+e
    sleep 0.5
    # Each box at the length where it hands the focus on: the day and the
    # month after one character, the year after three.
    keys 1 dead_acute e
    keys 0 dead_acute space
    keys 2 0 2 Multi_key 1 2
    keys 9 dead_acute e 9 dead_acute space
    expected="Number of days=99'
Year=202
Month=0'
Day=1"
fi

# The input method answers in its own time.
held=0
await_box_texts "$name" "$expected" && held=1
kill -0 "$APP_PID" 2>/dev/null || { echo "FAIL: $name ended while typing through $im"; exit 1; }
echo "$name through $im:"
echo "$got"
input_method_committed || { echo "FAIL: $im committed nothing: it stood aside"; exit 1; }
[ "$held" = 1 ] || {
    echo "FAIL: expected"
    echo "$expected"
    exit 1
}
echo "PASS"
