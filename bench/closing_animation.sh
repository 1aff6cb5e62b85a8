#!/usr/bin/env bash
# Measures the closing animation of a program on a 1920 x 1080 Xvfb screen:
# how many passes it makes and how long it takes from the close request to
# the end of the process, with no window manager and under openbox.
#
#   bench/closing_animation.sh [BUILD_DIR] [RUNS] [quillon|marrasket]
#
# Passes are counted from the window's travel: every pass moves its top 30
# twips (2 pixels at 96 DPI) down, and the last pass takes it past the
# screen's width or stops where the window manager holds it.
set -u
build=${1:-build}
program=${3:-quillon}
runs=${2:-10}
binary=$build/$program/$program
watch=$build/tests/e2e/window_watch
SCREEN_SIZE=1920x1080x24
source "$(dirname "$0")/../tests/e2e/xvfb_session.sh"
start_xvfb

log=$(mktemp)
median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

for mode in bare openbox; do
    WM_PID=""
    if [ "$mode" = openbox ]; then
        start_openbox || exit 1
    fi
    passes=() durations=()
    for _ in $(seq 1 "$runs"); do
        "$binary" 2>>"$log" &
        APP_PID=$!
        id=$(wait_for_window "$program") || { echo "no window"; cat "$log"; exit 1; }
        sleep 0.3
        samples=$(mktemp)
        [ "$mode" = openbox ] && xdotool windowactivate --sync "$id" >/dev/null 2>&1
        start=$(date +%s%N)
        "$watch" "$id" --close >"$samples"
        wait "$APP_PID"
        end=$(date +%s%N)
        APP_PID=""
        y0=$(head -n 1 "$samples" | awk '{print $3}')
        y1=$(grep -v '^gone' "$samples" | tail -n 1 | awk '{print $3}')
        # The final pass is not always sampled before the window goes.
        passes+=($(( (y1 - y0) / 2 + 1 )))
        durations+=($(( (end - start) / 1000000 )))
        rm -f "$samples"
    done
    [ -n "$WM_PID" ] && kill "$WM_PID" && wait "$WM_PID" 2>/dev/null
    printf '%-8s runs %2d  passes median %4s (%s..%s)  ms median %4s (%s..%s)\n' "$mode" "$runs" \
        "$(printf '%s\n' "${passes[@]}" | median)" \
        "$(printf '%s\n' "${passes[@]}" | sort -n | head -1)" \
        "$(printf '%s\n' "${passes[@]}" | sort -n | tail -1)" \
        "$(printf '%s\n' "${durations[@]}" | median)" \
        "$(printf '%s\n' "${durations[@]}" | sort -n | head -1)" \
        "$(printf '%s\n' "${durations[@]}" | sort -n | tail -1)"
done
