#!/usr/bin/env bash
# With no display to reach, the program says so in one line on standard
# error and ends with status 1, instead of aborting.
#
#   no_display.sh PROGRAM
set -u
binary=$1
name=$(basename "$binary")
empty=$(mktemp -d)
trap 'rm -rf "$empty"' EXIT
for platform in "" xcb wayland; do
    err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET XDG_RUNTIME_DIR="$empty" \
        QT_QPA_PLATFORM="$platform" timeout 30 "$binary" -qwindowtitle x 2>&1 >/dev/null)
    status=$?
    echo "QT_QPA_PLATFORM='$platform': status $status: $err"
    [ "$status" = 1 ] || { echo "FAIL: exit status $status"; exit 1; }
    [ "$(printf '%s\n' "$err" | wc -l)" = 1 ] || { echo "FAIL: not one line"; exit 1; }
    case $err in
        "$name: no display found"*DISPLAY*WAYLAND_DISPLAY*) ;;
        *) echo "FAIL: unexpected message"; exit 1 ;;
    esac
done
echo "PASS"
