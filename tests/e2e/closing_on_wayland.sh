#!/usr/bin/env bash
# On a headless Wayland compositor, where no client can move its window, a
# close request still ends the program, with status 0.
#
#   closing_on_wayland.sh CLOSE_PROBE
set -u
probe=$1
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
socket=wayland-closing-$$
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 \
    --shell=desktop-shell.so >/dev/null 2>&1 &
weston_pid=$!
trap 'kill $weston_pid 2>/dev/null; wait 2>/dev/null; rm -rf "$runtime"' EXIT
for _ in $(seq 1 100); do
    [ -S "$runtime/$socket" ] && break
    sleep 0.05
done
[ -S "$runtime/$socket" ] || { echo "FAIL: weston did not start"; exit 1; }

WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland timeout 30 "$probe" >/dev/null 2>&1
status=$?
echo "wayland: status $status"
[ "$status" = 0 ] || { echo "FAIL: exit status $status (124: still running after 30 s)"; exit 1; }
echo "PASS"
