#!/usr/bin/env bash
# Times the closing animation of both programs under each window manager, in
# three places, idle and loaded, and prints a markdown table of the medians.
#
#   scripts/close-table.sh QUILLON MARRASKET WINDOW_WATCH [RUNS]
#
# QUILLON and MARRASKET are the programs, WINDOW_WATCH tests/e2e/window_watch
# built; RUNS closes (default 3) of each program in each place and load.
# Places: "centred" where the window opened; "right edge" after
# `xdotool windowmove --sync WID 1600 50` on a 1920x1080 screen; "across
# monitors" after `xdotool windowmove --sync WID 1800 300` on a 3840x1080
# screen made of two 1920x1080 monitors side by side, so that the window
# straddles the seam. Loads: idle, and two processes spinning.
# Environment: WMS picks the rows (default: xfwm4 kwin_x11 metacity marco
# mutter icewm openbox mutter-wayland kwin-wayland); SLOW_MS and SLOW_RUNS
# cut a set to SLOW_RUNS closes once its first close took SLOW_MS or more;
# TABLE_FROM=FILE makes the table from the lines of an earlier run instead.
# One line per close goes to stderr, the table to stdout.
# shellcheck source-path=SCRIPTDIR/..
set -u
usage() { sed -n '2,18s/^# \{0,1\}//p' "$0" >&2; exit 2; }
[ $# -ge 3 ] || usage
here=$(cd "$(dirname "$0")/.." && pwd)
quillon=$(realpath "$1") marrasket=$(realpath "$2") watch=$(realpath "$3")
runs=${4:-3}
for f in "$quillon" "$marrasket" "$watch"; do
    [ -x "$f" ] || { echo "not an executable: $f" >&2; usage; }
done
[[ $runs =~ ^[1-9][0-9]*$ ]] || usage
wms=${WMS:-xfwm4 kwin_x11 metacity marco mutter icewm openbox mutter-wayland kwin-wayland}
slow_ms=${SLOW_MS:-0} slow_runs=${SLOW_RUNS:-$runs}
# Past this a close counts as a hang and the program is killed.
cap_ms=30000
results=$(mktemp)
started=$(date +%s)

# Nothing of the caller's desktop: every session has its own display, bus
# and home.
unset DISPLAY WAYLAND_DISPLAY XAUTHORITY DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR SESSION_DIR

# What each row needs on the PATH.
commands_of() {
    case $1 in
        mutter-wayland) echo mutter Xwayland ;;
        kwin-wayland) echo kwin_wayland Xwayland ;;
        *) echo "$1" ;;
    esac
}

# xfwm4, marco and the compositors below as start_wm starts the others: own
# bus, own home, waiting until the window manager manages the screen. Named
# apart from session.sh's functions, which are sourced later and would
# take their place.
start_table_x11_wm() {
    local command
    case $1 in
        xfwm4) command=(xfwm4 --replace --compositor=on) ;;
        marco) command=(marco --replace --sm-disable --composite) ;;
    esac
    "${command[@]}" >"$SESSION_DIR/wm.log" 2>&1 &
    WM_PID=$!
    STARTED+=("$WM_PID")
    wait_for_window_manager && spend_first_key
}

# GNOME's Wayland session: mutter headless with one or two virtual
# monitors and Xwayland, which it starts on the first X client.
start_table_mutter_wayland() {
    local monitors=(--virtual-monitor 1920x1080) log=$SESSION_DIR/wm.log i
    [ "$1" = dual ] && monitors+=(--virtual-monitor 1920x1080)
    # Keeps mutter's X displays (:1024 and up) clear of the Xvfb servers.
    RUNNING_UNDER_GDM=1 XDG_SESSION_TYPE=wayland mutter --headless --wayland "${monitors[@]}" \
        --wayland-display=close-table >"$log" 2>&1 &
    WM_PID=$!
    STARTED+=("$WM_PID")
    for ((i = 0; i < 200; i++)); do
        grep -q 'Using public X11 display' "$log" 2>/dev/null && break
        kill -0 "$WM_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    DISPLAY=$(sed -n 's/.*Using public X11 display \(:[0-9]*\),.*/\1/p' "$log" | head -n 1)
    XAUTHORITY=$(find "$SESSION_DIR" -maxdepth 1 -name '.mutter-Xwaylandauth.*' | head -n 1)
    [ -n "$DISPLAY" ] && [ -n "$XAUTHORITY" ] || return 1
    export DISPLAY XAUTHORITY
    for ((i = 0; i < 200; i++)); do
        xprop -root >/dev/null 2>&1 && break
        sleep 0.1
    done
    wait_for_window_manager
}

# Plasma's Wayland session: kwin_wayland on a virtual framebuffer, one
# 1920x1080 output or two side by side, with Xwayland on a display it
# picks; a client it starts reports that display.
start_table_kwin_wayland() {
    local kwin=$SESSION_DIR/kwin_wayland i
    # The installed binary carries a file capability, and where the bounding
    # set lacks it (a container) it cannot be run; a plain copy can.
    cp "$(command -v kwin_wayland)" "$kwin" || return 1
    cat >"$SESSION_DIR/report-env" <<EOF
#!/bin/sh
echo "DISPLAY=\$DISPLAY XAUTHORITY=\${XAUTHORITY:-}" >"$SESSION_DIR/kwin-env.tmp"
mv "$SESSION_DIR/kwin-env.tmp" "$SESSION_DIR/kwin-env"
EOF
    chmod +x "$SESSION_DIR/report-env"
    local outputs=1
    [ "$1" = dual ] && outputs=2
    KWIN_COMPOSE=Q "$kwin" --virtual --width 1920 --height 1080 --output-count "$outputs" \
        --socket close-table --no-lockscreen --no-global-shortcuts --xwayland \
        "$SESSION_DIR/report-env" >"$SESSION_DIR/wm.log" 2>&1 &
    WM_PID=$!
    STARTED+=("$WM_PID")
    for ((i = 0; i < 300; i++)); do
        [ -s "$SESSION_DIR/kwin-env" ] && break
        kill -0 "$WM_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    [ -s "$SESSION_DIR/kwin-env" ] || return 1
    DISPLAY=$(sed -n 's/^DISPLAY=\([^ ]*\) .*/\1/p' "$SESSION_DIR/kwin-env")
    XAUTHORITY=$(sed -n 's/.* XAUTHORITY=//p' "$SESSION_DIR/kwin-env")
    export DISPLAY
    if [ -n "$XAUTHORITY" ]; then export XAUTHORITY; else unset XAUTHORITY; fi
    wait_for_window_manager
}

# Starts the display (single: 1920x1080; dual: 3840x1080 as two RandR
# monitors) and the window manager $1; sets FAILURE to a word on failure.
start_table_desktop() {
    local wm=$1 layout=$2
    case $wm in
        mutter-wayland | kwin-wayland)
            start_session_bus
            unset DISPLAY WAYLAND_DISPLAY
            if [ "$wm" = mutter-wayland ]; then
                start_table_mutter_wayland "$layout"
            else
                start_table_kwin_wayland "$layout"
            fi || { FAILURE="did not start"; return 1; }
            ;;
        *)
            SCREEN_SIZE=1920x1080x24
            [ "$layout" = dual ] && SCREEN_SIZE=3840x1080x24
            start_xvfb
            if [ "$layout" = dual ]; then
                # The output's own monitor gives way to the left one, the
                # primary (the "*"), as a desktop of two monitors has one.
                local output
                output=$(xrandr | awk '/ connected/ {print $1; exit}')
                if ! xrandr --setmonitor '*LEFT' 1920/508x1080/286+0+0 "$output" >/dev/null ||
                    ! xrandr --setmonitor RIGHT 1920/508x1080/286+1920+0 none >/dev/null; then
                    FAILURE="no monitors"
                    return 1
                fi
            fi
            start_session_bus
            case $wm in
                xfwm4 | marco) start_table_x11_wm "$wm" ;;
                *) start_wm "$wm" >/dev/null ;;
            esac || { FAILURE="did not start"; return 1; }
            ;;
    esac
    # Let it finish its start (compositor, panels); one that crashed there
    # did not start.
    sleep 1
    kill -0 "$WM_PID" 2>/dev/null || { FAILURE="did not start"; return 1; }
    if [ "$layout" = dual ]; then
        # Xwayland makes its outputs one by one as the compositor tells.
        local i
        for ((i = 0; i < 100; i++)); do
            [ "$(xrandr --listmonitors | sed -n 's/^Monitors: //p')" = 2 ] && break
            sleep 0.1
        done
        [ "$i" -lt 100 ] || { FAILURE="no monitors"; return 1; }
    fi
    ROOT_H=$(xwininfo -root | awk '/^  Height/ {print $NF}')
}

now_us() {
    echo "${EPOCHREALTIME/./}"
}

# Samples the window's geometry while it closes, into $2. window_watch
# gives up after 10 s, so a longer close is watched again where it left.
watch_close() {
    "$watch" "$1" --close >>"$2"
    while kill -0 "$APP_PID" 2>/dev/null &&
        [ "$(tail -n 1 "$2" | awk '$1 == "gone" {print ($2 >= 10000)}')" = 1 ]; do
        "$watch" "$1" >>"$2"
    done
}

# Moves the window $1 to $2,$3 as a user would, and again (five times at
# most) while it does not stand there, as when the program places itself
# again in answer; sets moves in the caller. Fails if it does not stand
# near there in the end, as where the window manager keeps a window on one
# monitor.
move_to() {
    local x y
    for ((moves = 1; moves <= 5; moves++)); do
        # --sync waits for a change of place, which a window put back at
        # once never shows.
        timeout 1 xdotool windowmove --sync "$1" "$2" "$3" >/dev/null 2>&1
        settle "$1"
        read -r x y _ < <(window_box "$1")
        # Some window managers put the frame, not the client, at the place.
        [ $((x - $2)) -ge -50 ] && [ $((x - $2)) -le 50 ] && [ $((y - $3)) -ge -60 ] && [ $((y - $3)) -le 60 ] &&
            return 0
    done
    moves=5
    return 1
}

# One close: starts the program, puts the window in its place, asks it to
# close and times it until the program ends; one line on stderr and in the
# results. Sets LAST_MS.
one_close() {  # wm place binary load run loadavg
    local wm=$1 place=$2 binary=$3 load=$4 run=$5 loadavg=$6
    local class tmp i
    class=$(basename "$binary")
    tmp=$(mktemp -d "$PRIVATE_HOME/close.XXXXXX")
    # Its exit is timed where it happens, not when the loop below sees it.
    (
        env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$binary" >/dev/null 2>"$tmp/stderr" &
        echo $! >"$tmp/pid"
        wait $!
        # Whole, or not there: the loop below reads it as soon as it is.
        echo "$? $(now_us)" >"$tmp/exit.part"
        mv "$tmp/exit.part" "$tmp/exit"
    ) 2>/dev/null &
    local launcher=$!
    for ((i = 0; i < 100; i++)); do
        [ -s "$tmp/pid" ] && break
        sleep 0.05
    done
    APP_PID=$(cat "$tmp/pid")
    local line="close wm=$wm place=$place prog=$class load=$load run=$run loadavg=$loadavg"
    local id
    if ! id=$(wait_for_window "$class"); then
        kill -9 "$APP_PID" 2>/dev/null
        wait "$launcher"
        APP_PID=""
        LAST_MS=0
        echo "$line status=nowindow" | tee -a "$results" >&2
        rm -rf "$tmp"
        return
    fi
    settle "$id"
    local moves=0 placed=yes
    case $place in
        right) move_to "$id" 1600 50 || placed=no ;;
        across) move_to "$id" 1800 300 || placed=no ;;
    esac
    local x y w h fl fr ft fb
    read -r x y w h < <(window_box "$id")
    read -r fl fr ft fb < <(frame_extents "$id")

    local t0 status ms
    t0=$(now_us)
    watch_close "$id" "$tmp/samples" &
    local watcher=$!
    while [ ! -e "$tmp/exit" ] && [ $(($(now_us) - t0)) -lt $((cap_ms * 1000)) ]; do
        sleep 0.05
    done
    if [ -e "$tmp/exit" ]; then
        local rc t1
        read -r rc t1 <"$tmp/exit"
        status=$rc ms=$(((t1 - t0) / 1000))
    else
        kill -9 "$APP_PID" 2>/dev/null
        status=hang ms=$cap_ms
    fi
    wait "$watcher" "$launcher"
    APP_PID=""
    LAST_MS=$ms

    # A last sample at 0,0 is the window handed back to the root as it went.
    local x1 y1 w1 h1 bottom=no
    read -r _ x1 y1 w1 h1 < <(grep -v -e '^gone' -e '^[0-9]* 0 0 ' "$tmp/samples" | tail -n 1)
    # The whole window, frame included, down to the bottom row.
    [ -n "${y1:-}" ] && [ $((y1 + h1 + fb)) -ge $((ROOT_H - 1)) ] && bottom=yes
    line+=" status=$status ms=$ms bottom=$bottom placed=$placed moves=$moves at=$x,$y,${w}x$h frame=$fl,$fr,$ft,$fb"
    line+=" last=${x1:-?},${y1:-?},${w1:-?}x${h1:-?} samples=$(grep -vc '^gone' "$tmp/samples")"
    [ -s "$tmp/stderr" ] && line+=" stderr=$(head -c 160 "$tmp/stderr" | tr -s ' \n\t' '___')"
    echo "$line" | tee -a "$results" >&2
    rm -rf "$tmp"
}

# RUNS closes of one program in one place and load.
one_set() {  # wm place binary load
    local loadavg limit=$runs run
    loadavg=$(cut -d' ' -f1 /proc/loadavg)
    for ((run = 1; run <= limit; run++)); do
        one_close "$1" "$2" "$3" "$4" "$run" "$loadavg"
        if [ "$run" = 1 ] && [ "$slow_ms" -gt 0 ] && [ "$LAST_MS" -ge "$slow_ms" ] && [ "$slow_runs" -lt "$limit" ]; then
            limit=$slow_runs
        fi
    done
}

# One display with one window manager, every set of its places; run in a
# subshell, so that session.sh stops all it started when it ends.
session() {  # wm layout places...
    local wm=$1 layout=$2 place
    shift 2
    PRIVATE_HOME=$(mktemp -d)
    export HOME=$PRIVATE_HOME XDG_CONFIG_HOME=$PRIVATE_HOME/.config XDG_CACHE_HOME=$PRIVATE_HOME/.cache \
        XDG_DATA_HOME=$PRIVATE_HOME/.local/share
    # shellcheck source=tests/e2e/session.sh
    source "$here/tests/e2e/session.sh"
    trap 'stop_session; rm -rf "$PRIVATE_HOME"' EXIT
    echo "# $wm, $layout screen: starting" >&2
    if ! start_table_desktop "$wm" "$layout"; then
        [ -s "${SESSION_DIR:-}/wm.log" ] && tail -n 5 "$SESSION_DIR/wm.log" | sed 's/^/#   /' >&2
        for place in "$@"; do
            echo "skip wm=$wm place=$place why=${FAILURE// /_}" | tee -a "$results" >&2
        done
        exit 0
    fi
    local load binary
    for load in idle loaded; do
        if [ "$load" = loaded ]; then
            start_load
            sleep 1
        fi
        for place in "$@"; do
            for binary in "$quillon" "$marrasket"; do
                one_set "$wm" "$place" "$binary" "$load"
            done
        done
    done
}

session_pid=""
trap '[ -n "$session_pid" ] && kill "$session_pid" 2>/dev/null; wait; rm -f "$results"; exit 143' TERM
trap '[ -n "$session_pid" ] && wait; rm -f "$results"; exit 130' INT

run_session() {
    (session "$@") &
    session_pid=$!
    wait "$session_pid"
    session_pid=""
    local wm=$1 place
    shift 2
    # A session that died on its way (Xvfb did not start) still leaves a word.
    for place in "$@"; do
        grep -q "^[a-z]* wm=$wm place=$place " "$results" ||
            echo "skip wm=$wm place=$place why=failed" | tee -a "$results" >&2
    done
}

# TABLE_FROM=FILE makes the table again from the lines a run printed.
[ -n "${TABLE_FROM:-}" ] && grep -E '^(close|skip) ' "$TABLE_FROM" >"$results"
for wm in $wms; do
    [ -n "${TABLE_FROM:-}" ] && break
    missing=""
    for c in $(commands_of "$wm"); do
        command -v "$c" >/dev/null || missing=1
    done
    if [ -n "$missing" ]; then
        for place in centred right across; do
            echo "skip wm=$wm place=$place why=not_installed" | tee -a "$results" >&2
        done
        continue
    fi
    run_session "$wm" single centred right
    run_session "$wm" dual across
done

minutes=$((($(date +%s) - started + 30) / 60))
echo "## Closing time by window manager and place"
echo
if [ -n "${TABLE_FROM:-}" ]; then
    echo "From $TABLE_FROM."
else
    echo "$(date '+%Y-%m-%d %H:%M'): $quillon and $marrasket, RUNS=$runs, $minutes min in all."
fi
echo
awk -v wms="$wms" -v quillon="$(basename "$quillon")" -v marrasket="$(basename "$marrasket")" '
    function field(name,   i) {
        for (i = 2; i <= NF; i++) if (index($i, name "=") == 1) return substr($i, length(name) + 2)
        return ""
    }
    function grouped(n,   s) {
        s = ""
        while (n >= 1000) { s = sprintf(",%03d", n % 1000) s; n = int(n / 1000) }
        return n s
    }
    function cell(k,   n, i, j, t, m, s, v) {
        if (!(k in count)) return "-"
        n = count[k]
        split(times[k], v, " ")
        # Hangs sort last; a median that falls on one is a hang.
        for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (v[j] + 0 < v[i] + 0) { t = v[i]; v[i] = v[j]; v[j] = t }
        if (n == 0) return nowin[k] " without a window"
        m = n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
        s = (m >= 1e9 ? "hang" : grouped(int(m + 0.5)) " ms") " (" bottoms[k] + 0 "/" n ")"
        if (hangs[k]) s = s ", " hangs[k] " hung"
        if (odd[k] != "") s = s ", exit" odd[k]
        if (nowin[k]) s = s ", " nowin[k] " without a window"
        if (unplaced[k]) s = s ", " unplaced[k] " not moved there"
        return s
    }
    $1 == "skip" { skipped[field("wm") "|" field("place")] = field("why"); next }
    $1 == "close" {
        k = field("wm") "|" field("place") "|" field("prog") "|" field("load")
        la[k] = field("loadavg")
        st = field("status")
        if (st == "nowindow") { nowin[k]++; if (!(k in count)) count[k] = 0; next }
        count[k]++
        times[k] = times[k] " " (st == "hang" ? 1e9 : field("ms"))
        if (field("bottom") == "yes") bottoms[k]++
        if (field("placed") == "no") unplaced[k]++
        if (st == "hang") hangs[k]++
        else if (st != "0") odd[k] = odd[k] " " st
    }
    END {
        name["xfwm4"] = "xfwm4 (Xfce)"; name["kwin_x11"] = "kwin_x11 (Plasma X11)"
        name["metacity"] = "metacity"; name["marco"] = "marco (MATE)"; name["mutter"] = "mutter --x11"
        name["icewm"] = "icewm"; name["openbox"] = "openbox"
        name["mutter-wayland"] = "mutter --wayland + Xwayland (GNOME)"
        name["kwin-wayland"] = "kwin_wayland + Xwayland (Plasma)"
        where["centred"] = "centred"; where["right"] = "right edge"; where["across"] = "across monitors"
        print "| window manager | place | Quillon idle | Quillon loaded | Marrasket idle | Marrasket loaded | load average (1 min) |"
        print "|---|---|---|---|---|---|---|"
        n = split(wms, list, " ")
        split("centred right across", places, " ")
        for (i = 1; i <= n; i++) for (p = 1; p <= 3; p++) {
            wm = list[i]; place = places[p]
            label = (wm in name) ? name[wm] : wm
            r = wm "|" place
            if (r in skipped) {
                why = skipped[r]; gsub("_", " ", why)
                printf "| %s | %s | %s | | | | |\n", label, where[place], why
                continue
            }
            q = r "|" quillon; m = r "|" marrasket
            printf "| %s | %s | %s | %s | %s | %s | %s / %s / %s / %s |\n", label, where[place],
                cell(q "|idle"), cell(q "|loaded"), cell(m "|idle"), cell(m "|loaded"),
                la[q "|idle"], la[q "|loaded"], la[m "|idle"], la[m "|loaded"]
        }
    }
' "$results"
cat <<'EOF'

Each cell: the median time from the close request (WM_DELETE_WINDOW, as a
close box sends) to the end of the program, and in how many closes the
window, frame included, got down to the bottom row of the screen. A close
still running after 30 s is killed and counted as hung; every program
ended with status 0 unless an exit status is given. Load average: the
machine's one-minute figure as each set began, in the order of the four
cells; the loaded sets add two processes spinning on the CPU. "Not moved
there": closes in which the window did not stand at the place asked (within
50 px across, 60 down) after the moves, and was closed where it stood.
EOF
rm -f "$results"
