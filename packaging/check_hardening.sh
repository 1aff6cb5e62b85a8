#!/usr/bin/env bash
# Runs Debian's hardening-check on the built programs. Control-flow
# protection is left out only where the C library's own start files lack the
# mark: the linker then cannot mark any program, and forcing the mark would
# claim what those files do not do. Branch protection (BTI and PAC) exists
# only on arm64, so newer hardening-checks are told not to look for it
# elsewhere.
#
#   check_hardening.sh PROGRAM...
set -u
options=()
start_files=$(${CC:-cc} -print-file-name=Scrt1.o)
if ! readelf -n "$start_files" 2>/dev/null | grep -q 'x86 feature: IBT, SHSTK'; then
    echo "the C library's start files carry no IBT/SHSTK mark: control-flow protection not checked"
    options+=(--nocfprotection)
fi
if [ "$(uname -m)" != aarch64 ] && hardening-check --help 2>&1 | grep -q -- --nobranchprotection; then
    options+=(--nobranchprotection)
fi
hardening-check "${options[@]}" "$@"
