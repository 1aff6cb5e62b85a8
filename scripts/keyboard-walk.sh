#!/usr/bin/env bash
# Types dead-key and compose sequences into the boxes of a real program on
# Xvfb under openbox, with the keyboard layouts that make them (US
# international, German, a compose key), and reads over AT-SPI what each box
# holds afterwards. Needs Xvfb, openbox, xdotool, setxkbmap,
# at-spi2-core and gir1.2-atspi-2.0.
#
#   scripts/keyboard-walk.sh [QUILLON] [MARRASKET]
set -u
quillon=${1:-build/quillon/quillon} marrasket=${2:-build/marrasket/marrasket}
here=$(dirname "$0")
source "$here/../tests/e2e/session.sh"
start_session_bus
start_xvfb
start_openbox
start_accessibility_bus
export QT_IM_MODULE=compose

# Each sequence: the layout, then the keys, as xdotool names them.
sequences=(
    "us intl:dead_acute e"
    "us intl:dead_diaeresis u"
    "us intl:dead_acute c"
    "us intl:dead_tilde n"
    "us intl:dead_circumflex space"
    "us intl:dead_acute space"
    "us intl:dead_grave space"
    "us intl:dead_tilde space"
    "de:dead_circumflex 1"
    "de:dead_circumflex 2"
    "us:Multi_key 1 2"
    "us:Multi_key asciicircum 5"
    "us:1"
)

type_sequence() {
    local layout=${1%%:*} keys=${1#*:}
    read -r -a parts <<<"$layout"
    setxkbmap "${parts[0]}" ${parts[1]:+-variant "${parts[1]}"} -option compose:ralt
    sleep 0.2
    xdotool key --delay 60 $keys
    sleep 0.2
}

walk() {
    local binary=$1 name
    name=$(basename "$binary")
    "$binary" 2>/dev/null &
    APP_PID=$!
    id=$(wait_for_window "$name") || { echo "FAIL: no window of $name"; exit 1; }
    xdotool windowactivate --sync "$id"
    sleep 0.5
    if [ "$name" = quillon ]; then
        # The first format; the caret then stands in the day box.
        xdotool key Return
        sleep 0.5
        xdotool key BackSpace BackSpace
    else
        xdotool key alt+e
        sleep 0.5
    fi
    for sequence in "${sequences[@]}"; do
        type_sequence "$sequence"
    done
    echo "== $name after: ${sequences[*]}"
    "$here/read-boxes.py" "$name"
    kill "$APP_PID"
    wait "$APP_PID" 2>/dev/null
    APP_PID=
}

walk "$quillon"
walk "$marrasket"
