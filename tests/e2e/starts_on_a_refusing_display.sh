#!/usr/bin/env bash
# A display that refuses the program's first two connections, as an X server
# does for a moment while it resets: the program tries again and opens its
# window.
#
#   starts_on_a_refusing_display.sh PROGRAM
set -u
binary=$1
class=$(basename "$binary")
here=$(dirname "$0")
source "$here/session.sh"
start_xvfb
real=${DISPLAY#:}

fifo=$(mktemp -u)
mkfifo "$fifo"
refusals=$(mktemp)
python3 "$here/refusing_display.py" "$real" 2 >"$fifo" 2>"$refusals" &
STARTED+=($!)
if ! read -r -t 10 fake <"$fifo"; then
    echo "FAIL: the refusing display did not start"
    exit 1
fi
rm -f "$fifo"

DISPLAY=":$fake" "$binary" 2>/tmp/refused-$$.err &
APP_PID=$!
window=$(wait_for_window "$class")
refused=$(grep -c refused "$refusals")
echo "connections refused: $refused; window: ${window:-none}; $(head -n 1 /tmp/refused-$$.err)"
rm -f "$refusals" /tmp/refused-$$.err
[ "$refused" = 2 ] || { echo "FAIL: the program did not try again"; exit 1; }
[ -n "$window" ] || { echo "FAIL: no window"; exit 1; }
echo PASS
