#!/usr/bin/env bash
# Installs the Debian packages that building, running, testing, linting,
# fuzzing and packaging need. Does nothing when all of them are already
# there; otherwise prints what it installs, and skips, with a word, any that
# this release of the distribution does not have.
set -euo pipefail

packages=(
    make build-essential cmake pkg-config
    qt6-base-dev qt6-svg-dev qt6-wayland libgl-dev libxcb1-dev libxcb-randr0-dev libx11-dev
    libfontconfig-dev
    libgtest-dev libbenchmark-dev
    fonts-liberation
    xvfb x11-utils x11-xserver-utils x11-xkb-utils xdotool imagemagick dbus jq
    ibus fcitx5 fcitx5-frontend-qt6 at-spi2-core python3-gi gir1.2-atspi-2.0
    openbox mutter xwayland metacity kwin-x11 i3-wm weston sway
    desktop-file-utils appstream dpkg-dev devscripts
    clang libclang-rt-dev
    shellcheck clang-tidy
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

# sudo drops the environment, so the front end is set on its far side:
# debconf must never stop to ask.
as_root=(env DEBIAN_FRONTEND=noninteractive)
[ "$(id -u)" -ne 0 ] && as_root=(sudo "${as_root[@]}")
"${as_root[@]}" apt-get update -qq
available=()
for p in "${missing[@]}"; do
    if apt-cache show "$p" >/dev/null 2>&1; then
        available+=("$p")
    else
        echo "Not available here, skipped: $p" >&2
    fi
done
echo "Installing: ${available[*]}"
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${available[@]}"
