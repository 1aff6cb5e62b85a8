#!/usr/bin/env bash
# The real quillon binary on a real X server: it starts, maps a window titled
# " Quillon", and what it paints is not blank.
set -u
binary=$1
shot=${2:-$(mktemp --suffix=.png)}
source "$(dirname "$0")/xvfb_session.sh"
start_xvfb

"$binary" 2>/dev/null &
APP_PID=$!

id=$(wait_for_window " Quillon") || { echo "FAIL: no window titled ' Quillon'"; exit 1; }
sleep 0.5
name=$(xdotool getwindowname "$id")
[ "$name" = " Quillon" ] || { echo "FAIL: title is '$name'"; exit 1; }

import -window "$id" "$shot" 2>/dev/null || { echo "FAIL: no screenshot"; exit 1; }
colours=$(convert "$shot" -format '%k' info:)
size=$(convert "$shot" -format '%wx%h' info:)
echo "window $id '$name' $size with $colours colours, screenshot $shot"
[ "$colours" -gt 2 ] || { echo "FAIL: the window is blank"; exit 1; }
kill -0 "$APP_PID" 2>/dev/null || { echo "FAIL: quillon is no longer running"; exit 1; }
echo "PASS"
