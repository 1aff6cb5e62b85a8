#!/usr/bin/env bash
# Time from exec to the first painted frame, and peak resident memory, of
# Quillon's and Marrasket's start-up beside bare Qt Widgets windows of the
# same client size and widget count, all on one Xvfb server. Prints medians
# of RUNS runs each and the ratios to the bare windows: a measurement, not a
# check; docs/measurements.md records the figures to compare against.
#
#   bench/startup.sh [BUILD_DIR] [RUNS]
set -u
# A desktop session always has a session bus. Without one, the first
# accessible name a window sets makes Qt's accessibility bridge start a bus
# through X11 autolaunch, 5 ms that no desktop user pays: the runs get one.
if [[ -z ${DBUS_SESSION_BUS_ADDRESS:-} ]] && command -v dbus-run-session >/dev/null; then
    exec dbus-run-session -- "$0" "$@"
fi
build=${1:-build}
runs=${2:-20}
probe=$build/bench/startup_probe
launch=$build/bench/launch
source "$(dirname "$0")/../tests/e2e/session.sh"
start_xvfb
# The pointer out of every window's way: a window that opens under it (as
# Quillon's, centred, does under Xvfb's pointer in the middle) gets the
# toolkit's pointer-entry work before its first frame, which the bare window
# at the corner does not.
if command -v xdotool >/dev/null; then
    xdotool mousemove 1023 767
fi

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

windows=(bare-quillon quillon bare-marrasket marrasket)
declare -A frames sizes frame rss
for window in "${windows[@]}"; do
    "$launch" "$probe" "$window" >/dev/null 2>&1   # warm the caches once
done
# Run by run in turn, so that what else the machine does weighs on all four
# alike; in a new order each run, as a window started after another runs
# faster or slower for it (by about 1% in a fixed order).
for _ in $(seq 1 "$runs"); do
    for window in $(printf '%s\n' "${windows[@]}" | shuf); do
        out=$("$launch" "$probe" "$window" 2>/dev/null)
        # A run that printed no figure adds none.
        frames[$window]+=$(awk '/first_frame_ns/ {printf "%.2f ", $2 / 1e6}' <<<"$out")
        sizes[$window]+=$(awk '/peak_rss_kib/ {printf "%d ", $2}' <<<"$out")
    done
done
for window in "${windows[@]}"; do
    frame[$window]=$(tr ' ' '\n' <<<"${frames[$window]}" | grep . | median)
    rss[$window]=$(tr ' ' '\n' <<<"${sizes[$window]}" | grep . | median)
    printf '%-15s first frame %7.2f ms   peak RSS %6d KiB   (%d runs)\n' "$window" \
        "${frame[$window]}" "${rss[$window]}" "$runs"
done
for program in quillon marrasket; do
    awk -v f="${frame[$program]}" -v bf="${frame[bare-$program]}" -v r="${rss[$program]}" \
        -v br="${rss[bare-$program]}" -v p="$program" \
        'BEGIN {printf "%-15s first frame x%.3f   peak RSS x%.3f of the bare window\n", p, f / bf, r / br}'
done
