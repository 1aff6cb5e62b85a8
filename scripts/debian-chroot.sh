#!/usr/bin/env bash
# Runs a command (default ./test.sh) in a fresh minimal Debian chroot of the
# given release (bookworm, trixie...), on a clone of this repository's HEAD,
# as a newcomer's machine of that release would. The base system is made
# once with debootstrap and kept in $CHROOT_CACHE (default
# /var/tmp/debian-chroots); each run starts from a fresh copy of it and
# removes it afterwards. Needs root and Debian's package archive:
# DEBIAN_MIRROR names the mirror to make the base system from (debootstrap's
# own default otherwise); the chroot keeps using it. Prints what the command
# prints and ends with its exit status.
#
#   [DEBIAN_MIRROR=URL] scripts/debian-chroot.sh RELEASE [COMMAND...]
set -euo pipefail
[ $# -ge 1 ] || { sed -n '2,11s/^# \{0,1\}//p' "$0" >&2; exit 2; }
release=$1
shift
[ $# -gt 0 ] || set -- ./test.sh
repo=$(cd "$(dirname "$0")/.." && pwd)
cache=${CHROOT_CACHE:-/var/tmp/debian-chroots}
base=$cache/$release-base
run=$(mktemp -d "$cache/$release-run.XXXXXX" 2>/dev/null || { mkdir -p "$cache" && mktemp -d "$cache/$release-run.XXXXXX"; })

if ! command -v debootstrap >/dev/null; then
    env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
fi
if [ ! -f "$base/.complete" ]; then
    rm -rf "$base"
    echo "debian-chroot: making a $release base system in $base (once)" >&2
    mirror=()
    [ -n "${DEBIAN_MIRROR:-}" ] && mirror=("$DEBIAN_MIRROR")
    debootstrap --variant=minbase --include=git,sudo,ca-certificates "$release" "$base" \
        "${mirror[@]}" >"$cache/$release-debootstrap.log" 2>&1 ||
        { echo "debian-chroot: debootstrap failed, see $cache/$release-debootstrap.log" >&2; exit 1; }
    # Testing and unstable: a mirror that lags behind can serve a Release
    # file past its Valid-Until date, which apt then refuses. The stable
    # releases' Release files carry no such date, so they keep the check.
    case $release in
        testing | unstable | sid)
            echo 'Acquire::Check-Valid-Until "false";' >"$base/etc/apt/apt.conf.d/99valid-until"
            ;;
    esac
    touch "$base/.complete"
fi

unmount() {
    local m
    for m in dev/shm dev/pts sys proc; do
        if mountpoint -q "$run/$m"; then umount -l "$run/$m"; fi
    done
}
finish() {
    unmount
    rm -rf "$run"
}
trap finish EXIT
rmdir "$run"
cp -a "$base" "$run"
mount -t proc proc "$run/proc"
mount -t sysfs sysfs "$run/sys"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$run/dev/pts"
mount -t tmpfs -o mode=1777 tmpfs "$run/dev/shm"
cp -L /etc/resolv.conf "$run/etc/resolv.conf" 2>/dev/null || true
git clone -q "$repo" "$run/root/src"
echo "debian-chroot: $release, $(git -C "$repo" rev-parse --short HEAD): $*" >&2
chroot "$run" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 /bin/bash -c 'cd /root/src && "$@"' run "$@"
