#!/usr/bin/env bash
# Quillon under an X11 window manager on a 1920x1080 Xvfb, at a scale of Qt's
# (QT_SCALE_FACTOR, default 1, or dpiN: Xft.dpi N, which Qt follows): its whole window opens in the middle of the
# screen (within 2 px); once a format is picked the calculator keeps the
# picker's width and is 1600 twips high outside, or just tall enough to show
# the result boxes under a tall title bar; it closes with status 0 (waiting
# at most 30 s), never larger than it was.
#
#   placement_on_x11.sh WM QUILLON WINDOW_WATCH [SCALE]
set -u
wm=$1 binary=$2 watch=$3 scale=${4:-1}
SCREEN_SIZE=1920x1080x24
source "$(dirname "$0")/session.sh"
start_xvfb
start_wm "$wm" || exit 1
factor=$scale label=$scale
case $scale in
    dpi*)
        echo "Xft.dpi: ${scale#dpi}" | xrdb -merge
        factor=$(awk -v d="${scale#dpi}" 'BEGIN { print d / 96 }')
        scale=1 ;;
esac

QT_SCALE_FACTOR=$scale "$binary" 2>/dev/null &
APP_PID=$!
id=$(wait_for_window quillon) || { echo "FAIL: no window"; exit 1; }
settle "$id"
read -r dx dy < <(frame_offset_from_centre "$id")
read -r w0 h0 _ < <(outer "$id")
echo "$wm at scale $label: the picker ${w0}x${h0} opened with its frame ${dx},${dy} px from the centre"
if ! { [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ]; }; then
    echo "FAIL: not centred"
    exit 1
fi

xdotool windowactivate --sync "$id" >/dev/null 2>&1
xdotool windowfocus --sync "$id" >/dev/null 2>&1
xdotool key --clearmodifiers Return
settle "$id"
read -r w1 h1 frame < <(outer "$id")
# 1600 twips, or the result boxes' lower edge (1020 twips) below the frame.
want=$(awk -v s="$factor" -v f="$frame" 'BEGIN {
    h = int(1600 / 15 * s + 0.5); r = f + int(1020 / 15 * s + 0.5); print (r > h ? r : h) }')
echo "$wm at scale $label: the calculator ${w1}x${h1} (frame ${frame} px high), ${want} px high wanted"
if ! { [ "${w1}" -ge $((w0 - 1)) ] && [ "${w1}" -le $((w0 + 1)) ]; }; then
    echo "FAIL: width changed"
    exit 1
fi
if ! { [ "${h1}" -ge $((want - 1)) ] && [ "${h1}" -le $((want + 1)) ]; }; then
    echo "FAIL: wrong height"
    exit 1
fi

samples=$(mktemp)
close_and_watch "$watch" "$id" "$samples"
largest=$(grep -v '^gone' "$samples" | awk '{ if ($4 * $5 > a) { a = $4 * $5; s = $4 "x" $5 } } END { print s }')
first=$(head -n 1 "$samples" | awk '{ print $4 "x" $5 }')
rm -f "$samples"
echo "$wm at scale $label: status $status; client ${first} at the close, ${largest} at the largest"
[ "$status" = 0 ] || { echo "FAIL: exit status $status"; exit 1; }
[ "$largest" = "$first" ] || { echo "FAIL: grew while closing"; exit 1; }
echo "PASS"
