#!/usr/bin/env bash
# Measures a program's opening place and closing animation on the desktops
# that the tests start themselves, each on a 1920x1080 screen: Xvfb with no
# window manager (bare), openbox, mutter (GNOME's window manager, X11) and
# sway (natively on Wayland). For each it prints, over RUNS runs, the median
# offset of the whole window from the centre of the screen (X11), the median
# number of passes and the median time from the close request to the end of
# the process, the exit statuses, and the runs still going 30 s after the
# close (hangs). A measurement, not a check: look for offsets of 0,0, every
# status 0 and no hangs; docs/measurements.md records the figures to compare
# the times against.
#
#   bench/closing_animation.sh [BUILD_DIR] [RUNS] [quillon|marrasket] [ENVIRONMENT...]
#
# Passes are estimated from the window's travel: each pass takes its top
# 2 px down or its size 4 px smaller (at 96 DPI), whichever the window system
# lets happen; on sway, from the shrinking alone.
set -u
build=${1:-build}
runs=${2:-10}
program=${3:-quillon}
shift $(($# < 3 ? $# : 3))
environments=("$@")
[ $# -eq 0 ] && environments=(bare openbox mutter sway)
binary=$build/$program/$program
watch=$build/tests/e2e/window_watch
session=$(dirname "$0")/../tests/e2e/session.sh

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

measure_x11() {
    SCREEN_SIZE=1920x1080x24
    # shellcheck source=../tests/e2e/session.sh
    source "$session"
    start_xvfb
    case $1 in
        openbox) start_openbox ;;
        mutter) start_mutter ;;
    esac
    local samples offsets passes durations statuses
    samples=$(mktemp)
    for _ in $(seq 1 "$runs"); do
        "$binary" 2>/dev/null &
        APP_PID=$!
        id=$(wait_for_window "$program") || { echo "no window"; exit 1; }
        sleep 0.5
        offsets+="$(frame_offset_from_centre "$id")"$'\n'
        start=$(now_ms)
        if [ "$1" = bare ]; then
            "$watch" "$id" --close >"$samples" &
        else
            xdotool windowactivate --sync "$id" >/dev/null 2>&1
            "$watch" "$id" >"$samples" &
            xdotool key --clearmodifiers alt+F4
        fi
        await_exit
        durations+="$(($(now_ms) - start))"$'\n'
        statuses+="$status "
        wait $! 2>/dev/null
        read -r _ _ y0 w0 h0 < <(head -n 1 "$samples")
        read -r _ _ y1 w1 h1 < <(grep -v '^gone' "$samples" | tail -n 1)
        passes+="$(echo "$y0 $y1 $w0 $w1 $h0 $h1" |
            awk '{p = ($2 - $1) / 2; if (($3 - $4) / 4 > p) p = ($3 - $4) / 4;
                  if (($5 - $6) / 4 > p) p = ($5 - $6) / 4; print int(p) + 1}')"$'\n'
    done
    report "$1" "$(echo -n "$offsets" | awk '{print $1}' | median),$(echo -n "$offsets" | awk '{print $2}' | median)" \
        "$passes" "$durations" "$statuses"
}

measure_sway() {
    # shellcheck source=../tests/e2e/session.sh
    source "$session"
    start_sway || exit 1
    local passes durations statuses
    for _ in $(seq 1 "$runs"); do
        "$binary" 2>/dev/null &
        APP_PID=$!
        first=""
        for _ in $(seq 1 100); do
            first=$(swaymsg -t get_tree | jq -r --argjson pid "$APP_PID" \
                'first(.. | objects | select(.pid? == $pid)) | .window_rect.width')
            [ -n "$first" ] && break
            sleep 0.1
        done
        sleep 0.5
        start=$(now_ms)
        swaymsg -q "[pid=$APP_PID] kill"
        await_exit
        durations+="$(($(now_ms) - start))"$'\n'
        statuses+="$status "
        # The width shrinks 4 px a pass down to one pixel, then one more pass.
        passes+="$(( (first - 1 + 3) / 4 + 1 ))"$'\n'
    done
    report sway "(compositor)" "$passes" "$durations" "$statuses"
}

report() {
    local hangs
    hangs=$(echo "$5" | tr ' ' '\n' | grep -c hang)
    printf '%-8s %-10s offset %-12s passes median %4s  ms median %5s (%s..%s)  statuses: %s hangs %d/%d\n' \
        "$1" "$program" "$2" "$(echo -n "$3" | median)" "$(echo -n "$4" | median)" \
        "$(echo -n "$4" | sort -n | head -n 1)" "$(echo -n "$4" | sort -n | tail -n 1)" \
        "$(echo "$5" | tr ' ' '\n' | grep . | sort | uniq -c | awk '{printf "%s%s x %s", sep, $1, $2; sep=", "}')" \
        "$hangs" "$runs"
}

for environment in "${environments[@]}"; do
    case $environment in
        bare | openbox | mutter) (measure_x11 "$environment") ;;
        sway) (measure_sway) ;;
        *) echo "unknown environment: $environment" >&2; exit 2 ;;
    esac
done
