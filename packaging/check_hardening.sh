#!/usr/bin/env bash
# Runs Debian's hardening-check on the built programs. Control-flow
# protection is left out only where the C library's own start files lack it
# (glibc 2.36 of Debian 12): the linker then cannot mark any program, and
# forcing the mark would claim what those files do not do.
#
#   check_hardening.sh PROGRAM...
set -u
options=()
start_files=$(${CC:-cc} -print-file-name=Scrt1.o)
if ! readelf -n "$start_files" 2>/dev/null | grep -q 'x86 feature: IBT, SHSTK'; then
    echo "the C library's start files carry no IBT/SHSTK mark: control-flow protection not checked"
    options+=(--nocfprotection)
fi
hardening-check "${options[@]}" "$@"
