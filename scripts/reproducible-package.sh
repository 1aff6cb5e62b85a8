#!/usr/bin/env bash
# Checks that the Debian package of a commit (default HEAD) is reproducible:
# builds it twice with `make package`, from two clones at two paths of
# different lengths, one after the other (so every file time differs), the
# second with another umask, time zone and locale, and compares the two .deb
# files byte for byte. Only the programs are built (-DBUILD_TESTING=OFF).
# Where the packages differ, says which of their files do, and the build ids.
# Exits 0 when they are the same, 1 when they differ or a build fails.
#
#   scripts/reproducible-package.sh [COMMIT]
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$repo" rev-parse --verify "${1:-HEAD}^{commit}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# build_in DIR: clones the commit into DIR and packages it there; prints the
# .deb's path. The caller's umask, TZ and locale apply.
build_in() {
    local dir=$1 deb
    git clone -q --no-checkout "$repo" "$dir"
    git -C "$dir" checkout -q --detach "$commit"
    if ! make -C "$dir" package BUILD=build CMAKE_ARGS=-DBUILD_TESTING=OFF \
        >"$dir.log" 2>&1; then
        echo "FAIL: make package failed in $dir; its last lines:" >&2
        tail -n 20 "$dir.log" >&2
        return 1
    fi
    deb=$(ls "$dir"/build/*.deb)
    echo "$deb"
}

# explain DEB1 DEB2: what differs between the two packages.
explain() {
    local side file
    for side in 1 2; do
        dpkg-deb -R "${!side}" "$work/x$side"
    done
    echo "differing files inside the packages:"
    diff -rq "$work/x1" "$work/x2" | sed 's/^/  /' || true
    for file in usr/bin/quillon usr/bin/marrasket; do
        for side in 1 2; do
            echo "  $file ($side): $(readelf -n "$work/x$side/$file" | sed -n 's/.*Build ID: //p')"
        done
    done
    echo "members of the packages, with their modes and times:"
    for side in 1 2; do
        echo "  package $side: $(ar tv "${!side}" | awk '{printf "%s (%s %s %s %s %s) ", $NF, $1, $(NF-4), $(NF-3), $(NF-2), $(NF-1)}')"
    done
}

started=$(date +%s)
first=$(umask 022 && TZ=UTC LC_ALL=C build_in "$work/a")
# Past a second, so that no time stamp of the first build can recur.
sleep 2
second=$(umask 002 && TZ=Pacific/Chatham LC_ALL=C.UTF-8 build_in "$work/second-clone")
echo "built $(basename "$first") twice from $(git -C "$repo" rev-parse --short "$commit") in $(($(date +%s) - started)) s"
if cmp "$first" "$second"; then
    echo "PASS: the two packages are the same, $(stat -c %s "$first") bytes, sha256 $(sha256sum "$first" | cut -c1-16)..."
    exit 0
fi
explain "$first" "$second"
echo "FAIL: the two packages differ"
exit 1
