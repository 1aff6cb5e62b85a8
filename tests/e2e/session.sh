# shellcheck shell=bash
# Shared by the end-to-end scripts and the measurements: starts an Xvfb
# server on a free display, window managers on it, or a headless sway, and
# stops everything it started when the script exits. Sourcing scripts set
# SCREEN_SIZE (default 1024x768x24) before start_xvfb, and APP_PID to the
# program they started, which stop_session stops too and await_exit awaits.
# Functions hand results back in variables named where they are set (WM_PID,
# SESSION_DIR, status...), for the sourcing script to read.

STARTED=()
trap stop_session EXIT
# Killed (by ctest's time-out, say), the script still stops what it started.
trap 'exit 130' INT
trap 'exit 143' TERM

# Written with if, not &&, so that a script under set -e runs all of it.
stop_session() {
    if [ -n "${APP_PID:-}" ]; then
        kill "$APP_PID" 2>/dev/null || true
    fi
    local i
    for ((i = ${#STARTED[@]} - 1; i >= 0; i--)); do
        kill "${STARTED[i]}" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    if [ -n "${SESSION_DIR:-}" ]; then
        rm -rf "$SESSION_DIR"
    fi
}

# A private runtime folder and D-Bus session bus, as a desktop session has.
start_session_bus() {
    SESSION_DIR=$(mktemp -d)
    chmod 700 "$SESSION_DIR"
    export XDG_RUNTIME_DIR=$SESSION_DIR
    local out
    out=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 \
        --address="unix:dir=$SESSION_DIR") || { echo "dbus-daemon did not start" >&2; exit 1; }
    DBUS_SESSION_BUS_ADDRESS=$(echo "$out" | sed -n 1p)
    export DBUS_SESSION_BUS_ADDRESS
    STARTED+=("$(echo "$out" | sed -n 2p)")
}

# XVFB_RESETS=1 lets the server reset whenever its last client leaves, as a
# display that nothing else uses does.
start_xvfb() {
    local fifo number
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    local reset=-noreset
    [ "${XVFB_RESETS:-0}" = 1 ] && reset=""
    local screens=(-screen 0 "${SCREEN_SIZE:-1024x768x24}")
    # SECOND_SCREEN=1 adds a second X screen of the same size, and the
    # clients go there (DISPLAY=:N.1).
    [ "${SECOND_SCREEN:-0}" = 1 ] && screens+=(-screen 1 "${SCREEN_SIZE:-1024x768x24}")
    Xvfb -displayfd 3 "${screens[@]}" -nolisten tcp $reset 3>"$fifo" \
        >/dev/null 2>&1 &
    STARTED+=($!)
    if ! read -r -t 10 number <"$fifo"; then
        rm -f "$fifo"
        echo "Xvfb did not start" >&2
        exit 1
    fi
    rm -f "$fifo"
    export DISPLAY=":$number"
    [ "${SECOND_SCREEN:-0}" = 1 ] && DISPLAY=":$number.1"
    unset WAYLAND_DISPLAY
}

# Waits until a window manager manages the screen.
wait_for_window_manager() {
    for _ in $(seq 1 200); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.05
    done
    echo "no window manager took over $DISPLAY" >&2
    return 1
}

# The first XTEST key on a fresh server switches keymaps, and a window manager
# re-grabbing its keys then can lose it: spend it on a harmless Shift.
spend_first_key() {
    xdotool key shift
    sleep 0.3
}

# Starts an X11 window manager and waits until it manages the screen; sets
# WM_PID. Each runs with a home of its own, so that no one's settings count.
start_wm() {
    local command
    [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || start_session_bus
    mkdir -p "$SESSION_DIR/home"
    case $1 in
        # openbox's defaults; an empty file would put up a parse error box.
        openbox)
            printf '%s\n' '<openbox_config xmlns="http://openbox.org/3.4/rc"/>' >"$SESSION_DIR/openbox.xml"
            command=(openbox --config-file "$SESSION_DIR/openbox.xml")
            ;;
        mutter)
            mutter_has_x11 || { echo "SKIP: this mutter has no X11 mode"; exit 77; }
            command=(mutter --x11 --replace --sm-disable)
            ;;
        metacity) command=(metacity --replace --sm-disable) ;;
        metacity-nocomp) command=(metacity --replace --sm-disable --no-composite) ;;
        kwin_x11) command=(kwin_x11 --replace) ;;
        # i3's own configuration would start its first-run wizard, which
        # takes the keyboard.
        i3) command=(i3 -c "$(dirname "${BASH_SOURCE[0]}")/i3.conf") ;;
        awesome | fluxbox | icewm) command=("$1") ;;
        *) echo "unknown window manager $1" >&2; return 1 ;;
    esac
    command -v "${command[0]}" >/dev/null || { echo "SKIP: $1 is not installed"; exit 77; }
    HOME=$SESSION_DIR/home XDG_CONFIG_HOME=$SESSION_DIR/home/.config XDG_SESSION_TYPE=x11 \
        "${command[@]}" >"$SESSION_DIR/wm.log" 2>&1 &
    WM_PID=$!
    STARTED+=("$WM_PID")
    wait_for_window_manager && spend_first_key
}

start_openbox() {
    start_wm openbox
}

start_mutter() {
    start_wm mutter
}

# Whether this mutter still runs as an X11 window manager: mutter 50 runs
# only as a Wayland compositor, with XWayland for X11 clients.
mutter_has_x11() {
    command -v mutter >/dev/null && mutter --help 2>&1 | grep -q -- '--x11'
}

# Starts mutter as GNOME runs it: a Wayland compositor, here headless with
# one virtual monitor (MUTTER_MONITOR, default 1920x1080), and XWayland for
# X11 clients. Sets DISPLAY and XAUTHORITY to XWayland's, so that the
# programs started afterwards are X11 clients of it as on a GNOME desktop,
# WAYLAND_DISPLAY, and WM_PID. Skips (77) where mutter or XWayland is not
# installed or this mutter has no headless mode.
start_mutter_wayland() {
    command -v mutter >/dev/null || { echo "SKIP: mutter is not installed"; exit 77; }
    command -v Xwayland >/dev/null || { echo "SKIP: XWayland is not installed"; exit 77; }
    mutter --help 2>&1 | grep -q -- '--headless' || { echo "SKIP: this mutter has no headless mode"; exit 77; }
    [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || start_session_bus
    mkdir -p "$SESSION_DIR/home"
    local displays=$SESSION_DIR/mutter-displays
    unset DISPLAY WAYLAND_DISPLAY XAUTHORITY
    # mutter runs the command after "--" once its displays are up, with
    # their environment; the command hands it over, then stays while mutter
    # does (mutter ends with it). RUNNING_UNDER_GDM moves XWayland's display
    # from the lowest free one, which Xvfb servers take, to :1024 and above.
    # shellcheck disable=SC2016 # the command's variables are mutter's to set
    HOME=$SESSION_DIR/home XDG_CONFIG_HOME=$SESSION_DIR/home/.config XDG_SESSION_TYPE=wayland \
        RUNNING_UNDER_GDM=1 mutter --wayland --headless --virtual-monitor "${MUTTER_MONITOR:-1920x1080}" \
        --wayland-display="mutter-$$" -- sh -c 'printf "%s\n" "$DISPLAY" "$XAUTHORITY" "$WAYLAND_DISPLAY" >"$0.new" &&
            mv "$0.new" "$0"; while kill -0 "$PPID" 2>/dev/null; do sleep 1; done' "$displays" \
        >"$SESSION_DIR/wm.log" 2>&1 &
    WM_PID=$!
    STARTED+=("$WM_PID")
    for _ in $(seq 1 300); do
        [ -s "$displays" ] && break
        kill -0 "$WM_PID" 2>/dev/null || break
        sleep 0.1
    done
    [ -s "$displays" ] || { echo "mutter did not start"; tail "$SESSION_DIR/wm.log"; return 1; } >&2
    { read -r DISPLAY && read -r XAUTHORITY && read -r WAYLAND_DISPLAY; } <"$displays"
    export DISPLAY XAUTHORITY WAYLAND_DISPLAY
    wait_for_window_manager
}

# Presses key chords (mutter_keys.py CHORD...) on mutter's own keyboard.
mutter_keys() {
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/mutter_keys.py" "$@"
}

# The desktop of a screen reader's user: a session bus, an Xvfb server with
# openbox, and the accessibility bus.
start_assistive_desktop() {
    start_session_bus
    start_xvfb
    start_openbox || exit 1
    start_accessibility_bus
}

# Skips the script (exit 77) where AT-SPI cannot be reached from Python or
# its bus cannot be started.
require_atspi() {
    if ! /usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
        [ ! -x /usr/libexec/at-spi-bus-launcher ]; then
        echo "SKIP: no AT-SPI"
        exit 77
    fi
}

# Waits, at most 30 s, until the typing and result boxes of the running
# program $1 (APP_PID) hold, read over AT-SPI as "name=text" lines in any
# order, the lines $2; sets got to what they held last. Fails as soon as the
# program has ended.
await_box_texts() {
    local name=$1 expected=$2
    got=""
    for _ in $(seq 1 60); do
        kill -0 "$APP_PID" 2>/dev/null || return 1
        got=$("$(dirname "${BASH_SOURCE[0]}")/box_texts.py" "$name" |
            grep -E '^(Day|Month|Year|Number of days|Result)')
        [ "$(sort <<<"$got")" = "$(sort <<<"$expected")" ] && return 0
        sleep 0.5
    done
    return 1
}

# The accessibility bus, as a desktop session starts it, and Qt's bridge to
# it switched on for the programs started afterwards.
start_accessibility_bus() {
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    STARTED+=($!)
    sleep 1
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

# An input method between the keyboard and every box, as GNOME (IBus) and
# KDE (fcitx5) run one, with the US international layout: its dead keys and
# a compose key (right Alt) are composed by the input method, which commits
# the result to the program. Skips (77) where it is not installed.
start_input_method() {
    [ -n "${SESSION_DIR:-}" ] || start_session_bus
    local home=$SESSION_DIR/home
    mkdir -p "$home/.config/fcitx5"
    case $1 in
        ibus)
            command -v ibus-daemon >/dev/null || { echo "SKIP: IBus is not installed"; exit 77; }
            HOME=$home ibus-daemon --panel disable --daemonize=no >"$SESSION_DIR/im.log" 2>&1 &
            STARTED+=($!)
            local ready=""
            for _ in $(seq 1 200); do
                HOME=$home ibus engine xkb:us:intl:eng 2>/dev/null && { ready=1; break; }
                sleep 0.05
            done
            [ -n "$ready" ] || { echo "IBus did not start" >&2; exit 1; }
            # Where the programs find it, whatever their home.
            IBUS_ADDRESS_FILE=$(ls "$home"/.config/ibus/bus/*)
            export IBUS_ADDRESS_FILE QT_IM_MODULE=ibus
            IM_BUS=$(sed -n 's/^IBUS_ADDRESS=//p' "$IBUS_ADDRESS_FILE")
            IM_COMMIT="member=CommitText"
            ;;
        fcitx5)
            command -v fcitx5 >/dev/null || { echo "SKIP: fcitx5 is not installed"; exit 77; }
            printf '%s\n' '[Groups/0]' 'Name=Default' 'Default Layout=us-intl' \
                'DefaultIM=keyboard-us-intl' '[Groups/0/Items/0]' 'Name=keyboard-us-intl' \
                '[GroupOrder]' '0=Default' >"$home/.config/fcitx5/profile"
            HOME=$home XDG_CONFIG_HOME=$home/.config fcitx5 --disable=all \
                --enable=keyboard,dbus,xcb,dbusfrontend >"$SESSION_DIR/im.log" 2>&1 &
            STARTED+=($!)
            local owned=""
            for _ in $(seq 1 200); do
                owned=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
                    org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 2>/dev/null |
                    awk '/boolean/ {print $2}')
                [ "$owned" = true ] && break
                sleep 0.05
            done
            [ "$owned" = true ] || { echo "fcitx5 did not start" >&2; exit 1; }
            export QT_IM_MODULE=fcitx
            IM_BUS=$DBUS_SESSION_BUS_ADDRESS
            IM_COMMIT="member=CommitString"
            ;;
        *) echo "unknown input method $1" >&2; exit 1 ;;
    esac
    setxkbmap us -variant intl -option compose:ralt
    # What the input method sends the programs, so that a test can tell that
    # it was there and not the toolkit's own fallback.
    dbus-monitor --address "$IM_BUS" >"$SESSION_DIR/im-bus.log" 2>&1 &
    STARTED+=($!)
}

# Whether the input method has committed text to a program.
input_method_committed() {
    grep -q "$IM_COMMIT" "$SESSION_DIR/im-bus.log"
}

# Two processes that spin on the CPU, as a desktop that compiles or plays a
# video has; they stop with the session.
start_load() {
    local i
    for i in 1 2; do
        sh -c 'while :; do :; done' &
        STARTED+=($!)
    done
}

# Starts a headless sway with one 1920x1080 output and no XWayland; sets
# WAYLAND_DISPLAY and SWAYSOCK for its clients. sway refuses to run as root,
# so there it runs as user 1000 of a user namespace of its own.
start_sway() {
    [ -n "${SESSION_DIR:-}" ] || start_session_bus
    local config=$SESSION_DIR/sway.conf as_user=()
    printf '%s\n' 'xwayland disable' 'output HEADLESS-1 resolution 1920x1080 position 0 0' \
        'default_border normal' 'default_floating_border normal' >"$config"
    if [ "$(id -u)" = 0 ]; then
        as_user=(unshare --user --map-user=1000 --map-group=1000)
        # sway refuses root, and a chroot may not make user namespaces.
        "${as_user[@]}" true 2>/dev/null || { echo "SKIP: no user namespace for sway here"; exit 77; }
    fi
    unset DISPLAY
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman WLR_HEADLESS_OUTPUTS=1 \
        "${as_user[@]}" sway -c "$config" >"$SESSION_DIR/sway.log" 2>&1 &
    STARTED+=($!)
    local sock="" socks
    for _ in $(seq 1 200); do
        # The glob stays as written while there is no such socket.
        socks=("$SESSION_DIR"/sway-ipc.*.sock)
        if [ -S "${socks[0]}" ] && swaymsg -s "${socks[0]}" -t get_outputs >/dev/null 2>&1; then
            sock=${socks[0]}
            break
        fi
        sleep 0.05
    done
    [ -n "$sock" ] || { echo "sway did not start"; tail "$SESSION_DIR/sway.log"; return 1; } >&2
    export SWAYSOCK=$sock
    # The Wayland socket, not its lock file beside it.
    local socket
    WAYLAND_DISPLAY=""
    for socket in "$SESSION_DIR"/wayland-*; do
        if [ -S "$socket" ]; then
            WAYLAND_DISPLAY=${socket##*/}
            break
        fi
    done
    export WAYLAND_DISPLAY
}

# Waits at most 30 s for the program APP_PID to end; sets status to its exit
# status, or to "hang" after killing it.
# shellcheck disable=SC2034 # status is the sourcing script's to read
await_exit() {
    for _ in $(seq 1 600); do
        if ! kill -0 "$APP_PID" 2>/dev/null; then
            wait "$APP_PID"
            status=$?
            return
        fi
        sleep 0.05
    done
    kill -9 "$APP_PID" 2>/dev/null
    status=hang
}

# Closes the program's window $2 as a close box does, with window_watch $1
# writing its places to the file $3, and waits for the program's end (status,
# as await_exit sets it) and for the watcher.
close_and_watch() {
    "$1" "$2" --close >"$3" &
    local watch_pid=$!
    await_exit
    wait "$watch_pid"
    APP_PID=""
}

# Waits up to 10 s for a mapped window that xdotool search finds with the
# options given; prints its id.
wait_for_search() {
    local id
    for _ in $(seq 1 100); do
        id=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Waits up to 10 s for a mapped window of the program whose window class is
# $1; prints its id.
wait_for_window() {
    wait_for_search --classname "^$1\$"
}

# Waits up to 10 s for a mapped window named $1; prints its id.
wait_for_named_window() {
    wait_for_search --name "^$1\$"
}

# The frame round a window (left right top bottom), as its window manager
# says, or as its parent window stands round it where it says nothing (i3);
# zeros with neither.
frame_extents() {
    local extents parent
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ',')
    if [ -z "$extents" ]; then
        parent=$(xwininfo -tree -id "$1" | awk '/Parent window id/ {print $4}')
        if [ -n "$parent" ] && ! xwininfo -tree -id "$1" | grep -q 'Parent window id:.*(the root window)'; then
            extents=$(paste <(window_box "$1") <(window_box "$parent") | awk '{
                print $1 - $5, ($5 + $7) - ($1 + $3), $2 - $6, ($6 + $8) - ($2 + $4) }')
        fi
    fi
    echo "${extents:-0 0 0 0}"
}

# x y width height of a window on the screen.
window_box() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^  Width/ {w=$NF} /^  Height/ {h=$NF} END {print x, y, w, h}'
}

# How far the whole window $1, frame included, stands from the middle of the
# screen's free area (the work area, which panels leave): "dx dy" in pixels.
frame_offset_from_centre() {
    local l r t b x y w h ax ay aw ah
    read -r l r t b < <(frame_extents "$1")
    read -r x y w h < <(window_box "$1")
    read -r ax ay aw ah _ < <(xprop -root _NET_WORKAREA 2>/dev/null | sed -n 's/.*= //p' | tr -d ',')
    if [ -z "${ah:-}" ]; then
        ax=0 ay=0
        read -r aw ah < <(xwininfo -root | awk '/^  Width/ {w=$NF} /^  Height/ {h=$NF} END {print w, h}')
    fi
    echo $(( (x - l - ax) - (aw - (w + l + r)) / 2 )) $(( (y - t - ay) - (ah - (h + t + b)) / 2 ))
}

# Width, height and frame height (top and bottom) of the whole window $1.
outer() {
    local l r t b w h
    read -r l r t b < <(frame_extents "$1")
    read -r _ _ w h < <(window_box "$1")
    echo $((w + l + r)) $((h + t + b)) $((t + b))
}

# Waits up to 5 s for the window's geometry to stand still for half a second:
# a window manager frames and places a new window in several steps.
settle() {
    local last="" now stable=0
    for _ in $(seq 1 50); do
        now="$(xwininfo -id "$1" | grep -E 'Absolute|Width|Height') $(frame_extents "$1")"
        if [ "$now" = "$last" ]; then
            stable=$((stable + 1))
            [ $stable -ge 5 ] && return 0
        else
            stable=0 last=$now
        fi
        sleep 0.1
    done
}
