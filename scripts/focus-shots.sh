#!/usr/bin/env bash
# Screenshots of the keyboard focus under three themes, on Xvfb under
# openbox: the default palette, and through qt6ct its "darker" colour scheme
# and a high-contrast one written here, white and cyan on black. (Qt 6.4's
# GTK platform theme knows dark GTK themes but gives GTK's high-contrast
# ones its default palette.) In each: Quillon's day box and calculate
# button, each with the focus, the ERROR box's OK, and Marrasket's menu bar
# before and after Alt alone. A tool for the measurements, not a check:
# it prints each focus mark's contrast, measured from the pixels by
# focus-contrast.py (look for 3:1 or more against what is around the mark
# and against the same place without the focus), and writes one picture of
# all the marks, a row a theme, to look at.
# Needs Xvfb, openbox, xdotool, xmessage, ImageMagick and qt6ct.
#
#   scripts/focus-shots.sh [BUILD_DIR] [OUTPUT_DIR]
set -eu
build=${1:-build}
out=${2:-docs/screenshots}
here=$(dirname "$0")
mkdir -p "$out"
shots=$(mktemp -d)
source "$here/../tests/e2e/session.sh"
SCREEN_SIZE=1920x1080x24
start_xvfb
start_openbox
# A qt6ct set-up of its own for each theme, in $SESSION_DIR/$1.
qt6ct_theme() {
    mkdir -p "$SESSION_DIR/$1/qt6ct"
    printf '%s\n' '[Appearance]' "color_scheme_path=$2" 'custom_palette=true' \
        >"$SESSION_DIR/$1/qt6ct/qt6ct.conf"
}
qt6ct_theme dark /usr/share/qt6ct/colors/darker.conf
# The palette's roles in Qt's order: window text, button, light, midlight,
# dark, mid, text, bright text, button text, base, window, shadow,
# highlight, highlighted text, link, visited link, alternate base, none,
# tooltip base, tooltip text, placeholder text.
colours='#ffffffff, #ff000000, #ffffffff, #ffc0c0c0, #ff808080, #ff808080, #ffffffff, #ffffffff, #ffffffff, #ff000000, #ff000000, #ffffffff, #ff1aebff, #ff000000, #ffffff00, #ffc0c0ff, #ff1a1a1a, #ff000000, #ff000000, #ffffffff, #ffc0c0c0'
printf '%s\n' '[ColorScheme]' "active_colors=$colours" "disabled_colors=$colours" \
    "inactive_colors=$colours" >"$SESSION_DIR/high-contrast.conf"
qt6ct_theme high-contrast "$SESSION_DIR/high-contrast.conf"

theme_env() {
    case $1 in
        default) echo "QT_QPA_PLATFORMTHEME=" ;;
        *) echo "QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME=$SESSION_DIR/$1" ;;
    esac
}

# The client area of window $1, into $2.
capture() {
    sleep 0.6
    import -window "$1" "$2"
}

for theme in default dark high-contrast; do
    # shellcheck disable=SC2046
    env $(theme_env $theme) "$build/quillon/quillon" 2>/dev/null &
    APP_PID=$!
    id=$(wait_for_window quillon)
    settle "$id"
    xdotool windowactivate --sync "$id"
    xdotool key Return                     # DD:MM:YYYY: the day box has the focus
    capture "$id" "$shots/quillon-box-$theme.png"
    xdotool key Tab Tab Tab Tab            # month, year, days, the calculate button
    capture "$id" "$shots/quillon-button-$theme.png"
    # Day 32: the ERROR box, its OK focused; then the same box while another
    # window has the keyboard.
    xdotool key shift+Tab shift+Tab shift+Tab shift+Tab 3 2 Tab Tab Tab Tab Return
    box=$(wait_for_named_window ERROR)
    capture "$box" "$shots/error-ok-$theme.png"
    xmessage -name other other &
    other=$!
    xdotool windowactivate --sync "$(wait_for_window other)"
    capture "$box" "$shots/error-plain-$theme.png"
    kill "$other"
    kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true

    # shellcheck disable=SC2046
    env $(theme_env $theme) "$build/marrasket/marrasket" 2>/dev/null &
    APP_PID=$!
    id=$(wait_for_window marrasket)
    settle "$id"
    xdotool windowactivate --sync "$id"
    capture "$id" "$shots/marrasket-plain-$theme.png"
    xdotool key alt                        # the menu bar takes the keyboard
    capture "$id" "$shots/marrasket-menu-$theme.png"
    kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true

    echo "== $theme"
    echo -n "  Quillon's day box: "
    "$here/focus-contrast.py" "$shots/quillon-box-$theme.png" "$shots/quillon-button-$theme.png" first
    echo -n "  Quillon's calculate button: "
    "$here/focus-contrast.py" "$shots/quillon-button-$theme.png" "$shots/quillon-box-$theme.png" last
    echo -n "  The ERROR box's OK: "
    "$here/focus-contrast.py" "$shots/error-ok-$theme.png" "$shots/error-plain-$theme.png" first
    echo -n "  Marrasket's menu bar after Alt: "
    "$here/focus-contrast.py" "$shots/marrasket-menu-$theme.png" "$shots/marrasket-plain-$theme.png" first
done

# One picture: a row a theme, the three focus marks side by side.
rows=()
for theme in default dark high-contrast; do
    convert "$shots/quillon-box-$theme.png" "$shots/quillon-button-$theme.png" \
        "$shots/marrasket-menu-$theme.png" "$shots/error-ok-$theme.png" \
        -background white -splice 8x0 +append \
        "$shots/row-$theme.png"
    rows+=("$shots/row-$theme.png")
done
convert "${rows[@]}" -background white -splice 0x8 -append "$out/focus-default-dark-high-contrast.png"
echo "picture: $out/focus-default-dark-high-contrast.png"
[ -z "${KEEP_SHOTS:-}" ] || cp "$shots"/*.png "$KEEP_SHOTS"
rm -rf "$shots"
