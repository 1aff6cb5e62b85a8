#!/usr/bin/env bash
# A real program on a real X server: it starts, maps its window with the
# given title (every name property the window system holds), and what it
# paints is not blank. Toolkit options on its command line change nothing.
#
#   program_starts.sh PROGRAM TITLE SCREENSHOT
set -u
binary=$1 title=$2 shot=$3
class=$(basename "$binary")
source "$(dirname "$0")/session.sh"
start_xvfb

"$binary" -qwindowtitle Hacked -reverse 2>/dev/null &
APP_PID=$!

id=$(wait_for_window "$class") || { echo "FAIL: no window of $class"; exit 1; }
sleep 0.5
for property in WM_NAME _NET_WM_NAME; do
    value=$(xprop -id "$id" "$property" | sed -n 's/^[^=]*= "\(.*\)"$/\1/p')
    xprop -id "$id" "$property" | grep -q '= ' || value="(unset)"
    [ "$value" = "$title" ] || { echo "FAIL: $property is '$value', not '$title'"; exit 1; }
done

import -window root -crop "$(xdotool getwindowgeometry "$id" | awk '/Geometry/ {print $2}')+$(xdotool getwindowgeometry "$id" | awk -F'[ ,]+' '/Position/ {print $3"+"$4}')" "$shot" 2>/dev/null ||
    { echo "FAIL: no screenshot"; exit 1; }
colours=$(convert "$shot" -format '%k' info:)
size=$(convert "$shot" -format '%wx%h' info:)
echo "window $id titled '$title', $size with $colours colours, screenshot $shot"
[ "$colours" -gt 2 ] || { echo "FAIL: the window is blank"; exit 1; }
kill -0 "$APP_PID" 2>/dev/null || { echo "FAIL: $class is no longer running"; exit 1; }
echo "PASS"
