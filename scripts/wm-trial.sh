#!/usr/bin/env bash
# Tries one program under one X11 window manager on a 1920x1080 Xvfb, as the
# measurements table records it: where the whole window opens against the
# middle of the screen, Quillon's calculator size after a format is picked,
# and N closes (WM_DELETE_WINDOW, as a close box sends) idle and N with two
# processes spinning: whether each reached the bottom edge, its exit status,
# its time and the program's CPU time while closing, as a share of that time.
# A tool for the measurements table, not a check: one line per close; look
# for an offset within 2 px of 0,0, bottom=yes and status=0 on each, and
# compare ms and cpu_ms idle and loaded.
#
#   scripts/wm-trial.sh PROGRAM WM [N] [SCALE]
#
# SCALE sets QT_SCALE_FACTOR.
set -u
binary=$(realpath "$1") wm=$2 runs=${3:-10} scale=${4:-1}
here=$(cd "$(dirname "$0")/.." && pwd)
watch=${WINDOW_WATCH:-$here/build/tests/e2e/window_watch}
class=$(basename "$binary")
SCREEN_SIZE=1920x1080x24
source "$here/tests/e2e/session.sh"
start_xvfb
[ "$wm" = bare ] || start_wm "$wm" || exit 1
export QT_SCALE_FACTOR=$scale
tick=$(getconf CLK_TCK)

one_close() {  # $1: idle|loaded
    local spinners=() samples times id
    samples=$(mktemp) times=$(mktemp)
    /usr/bin/time -o "$times" -f "%U %S" "$binary" 2>/dev/null &
    local timer=$!
    id=$(wait_for_window "$class") || { echo "no window"; kill $timer; return 1; }
    APP_PID=$(pgrep -P $timer | head -n 1)
    sleep 1
    read -r dx dy < <(frame_offset_from_centre "$id")
    local frame_bottom
    frame_bottom=$(frame_extents "$id" | awk '{print $4}')
    local calc=""
    if [ "$class" = quillon ]; then
        local before after
        before=$(outer_size "$id")
        xdotool windowactivate --sync "$id" >/dev/null 2>&1
        xdotool key --window "$id" Return
        sleep 1
        after=$(outer_size "$id")
        calc="picker $before calculator $after"
    fi
    if [ "$1" = loaded ]; then
        for _ in 1 2; do sh -c 'while :; do :; done' & spinners+=($!); done
        sleep 0.3
    fi
    local cpu0 t0 t1
    cpu0=$(awk '{print $14 + $15}' "/proc/$APP_PID/stat")
    t0=$(date +%s%N)
    "$watch" "$id" --close >"$samples" &
    local wpid=$!
    wait $timer
    local rc=$?
    t1=$(date +%s%N)
    wait $wpid
    [ ${#spinners[@]} -gt 0 ] && kill "${spinners[@]}"
    read -r user sys <"$times"
    local ms=$(( (t1 - t0) / 1000000 ))
    local cpu_ms
    cpu_ms=$(awk -v u="$user" -v s="$sys" -v c="$cpu0" -v t="$tick" 'BEGIN {printf "%d", (u + s - c / t) * 1000}')
    # A last sample at 0,0 is the window handed back to the root as it went.
    read -r _ x1 y1 w1 h1 < <(grep -v -e '^gone' -e '^[0-9]* 0 0 ' "$samples" | tail -n 1)
    # The whole window, frame included, down to the bottom row.
    local bottom=no
    [ -n "${y1:-}" ] && [ $((y1 + h1 + frame_bottom)) -ge 1079 ] && bottom=yes
    echo "$1 offset=${dx},${dy} $calc status=$rc ms=$ms cpu_ms=$cpu_ms bottom=$bottom last=${x1:-?},${y1:-?} ${w1:-?}x${h1:-?} largest=$(largest "$samples")"
    rm -f "$samples" "$times"
    APP_PID=""
}

outer_size() {
    outer "$1" | awk '{print $1 "x" $2}'
}

largest() {
    grep -v '^gone' "$1" | awk '{ if ($4 * $5 > a) { a = $4 * $5; s = $4 "x" $5 } } END { print s }'
}

for mode in idle loaded; do
    for _ in $(seq 1 "$runs"); do
        one_close $mode
    done
done
