#!/usr/bin/env bash
# Types dead-key and compose sequences through Qt's own compose input method
# (QT_IM_MODULE=compose) into the typing boxes of the real program on Xvfb
# under openbox, in the keyboard layouts that make them: US international
# and German dead keys, and a compose key (right Alt) on the US layout. The
# boxes take digits and a few signs and refuse every other character, so of
# all that is composed (accented letters, bare accents, superscripts, a
# fraction) only the apostrophe that acute + space makes may end up in a
# box. Reads the boxes over AT-SPI and checks the exact text of each, and
# that the program still runs. Skips (77) without AT-SPI or setxkbmap.
#
#   keyboard_walk.sh PROGRAM
set -u
binary=$1
name=$(basename "$binary")
here=$(dirname "$0")
source "$here/session.sh"
require_atspi
command -v setxkbmap >/dev/null || { echo "SKIP: setxkbmap is not installed"; exit 77; }
start_assistive_desktop
export QT_IM_MODULE=compose

# keys LAYOUT KEY...: presses the keys, as xdotool names them, in the layout
# us, us-intl or de, with the compose key on right Alt.
layout=""
keys() {
    if [ "$1" != "$layout" ]; then
        layout=$1
        case $layout in
            us-intl) setxkbmap us -variant intl -option compose:ralt ;;
            *) setxkbmap "$layout" -option compose:ralt ;;
        esac
        # The program takes the new keymap from the server's notice.
        sleep 0.3
    fi
    shift
    xdotool key --delay 60 "$@"
}

"$binary" 2>/dev/null &
APP_PID=$!
id=$(wait_for_window "$name") || { echo "FAIL: no window of $name"; exit 1; }
xdotool windowactivate --sync "$id"
sleep 0.5

# In each box, what it refuses first and then what it takes.
if [ "$name" = quillon ]; then
    # The first format, DD:MM:YYYY; the caret then stands in the day box, and
    # Tab into a box selects its text, which what is typed replaces.
    xdotool key Return
    sleep 0.5
    results=$("$here/box_texts.py" "$name" | grep '^Result')
    keys us BackSpace BackSpace
    keys us-intl dead_acute e dead_diaeresis u dead_acute c dead_tilde n \
        dead_circumflex space dead_grave space dead_tilde space 1 dead_acute space
    keys de Tab dead_circumflex 1 dead_circumflex 2 dead_acute e 0 3
    keys us Tab Multi_key 1 2 Multi_key asciicircum 5 2 0
    keys us-intl dead_acute space 1
    keys us-intl Tab dead_grave space 4 dead_diaeresis u 5
    # Nothing calculated: the results stay as they were.
    expected="Day=1'
Month=03
Year=20'1
Number of days=45
$results"
else
    xdotool key alt+e
    sleep 0.5
    # The day and the month hand the focus on at the key after their first
    # character, the year at the key after its third, refused or not.
    keys us-intl dead_acute e dead_diaeresis u dead_acute c dead_tilde n \
        dead_circumflex space dead_grave space dead_tilde space dead_acute space
    keys de dead_circumflex 1 dead_circumflex 2 dead_acute e 1
    keys us Multi_key 1 2 Multi_key asciicircum 5 2 0
    keys us-intl dead_acute space dead_acute e 9 dead_tilde n 0
    expected="Day='
Month=1
Year=20'
Number of days=90"
fi

# Composed text reaches the program in its own time.
held=0
await_box_texts "$name" "$expected" && held=1
kill -0 "$APP_PID" 2>/dev/null || { echo "FAIL: $name ended while typing"; exit 1; }
echo "$name through Qt's compose input method:"
echo "$got"
if [ "$held" = 0 ]; then
    echo "FAIL: expected"
    echo "$expected"
    exit 1
fi
echo "PASS"
