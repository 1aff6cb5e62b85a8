#!/usr/bin/env bash
# Installs the build into a scratch folder and runs the desktop's validators
# on the menu entries and the AppStream metadata, which must be clean of even
# the pedantic hints.
#
#   validate_installed.sh BUILD_DIR
set -eu
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null

status=0
for entry in "$root"/usr/share/applications/*.desktop; do
    if desktop-file-validate "$entry"; then
        echo "valid: $(basename "$entry")"
    else
        status=1
    fi
done
# Clean, pedantic hints included: any issue the validator reports counts.
for info in "$root"/usr/share/metainfo/*.metainfo.xml; do
    if report=$(appstreamcli validate --no-net --pedantic "$info") &&
        ! grep -Eq '^[EWIP]: ' <<<"$report"; then
        echo "valid: $(basename "$info")"
    else
        echo "$report"
        status=1
    fi
done
for size in 16 32 48 64 128 256; do
    for program in quillon marrasket; do
        [ -f "$root/usr/share/icons/hicolor/${size}x${size}/apps/$program.png" ] ||
            { echo "missing icon ${size}x${size} of $program"; status=1; }
    done
done
for program in quillon marrasket; do
    [ -f "$root/usr/share/icons/hicolor/scalable/apps/$program.svg" ] ||
        { echo "missing scalable icon of $program"; status=1; }
    [ -x "$root/usr/bin/$program" ] || { echo "missing /usr/bin/$program"; status=1; }
    zcat "$root/usr/share/man/man1/$program.1.gz" | grep -q '^.SH OPTIONS' ||
        { echo "manual page of $program incomplete"; status=1; }
done
exit $status
