#!/usr/bin/env bash
# Runs a test program on a 1920x1080 Xvfb server (Qt on X11) under the test
# window manager with the given options.
#
#   under_xvfb.sh PROGRAM TEST_WM [WM OPTIONS...]
set -u
binary=$1 test_wm=$2
shift 2
command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed"; exit 77; }
SCREEN_SIZE=1920x1080x24
# shellcheck source=session.sh
source "$(dirname "$0")/session.sh"
start_xvfb
"$test_wm" "$@" >/dev/null 2>&1 &
STARTED+=($!)
wait_for_window_manager || exit 1
QT_QPA_PLATFORM=xcb "$binary"
