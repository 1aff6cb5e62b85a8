#!/usr/bin/env bash
# Runs each fuzz target for RUNS executions on its seed corpus (and what
# earlier runs found), and fails on the first crash or sanitizer report.
#
#   fuzz/run.sh BUILD_DIR RUNS
set -u
build=$1
runs=$2
for target in date_from_text number_from_text validate_date key_filter; do
    found=$build/corpus/$target
    mkdir -p "$found"
    log=$(mktemp)
    "$build/fuzz/${target}_fuzzer" -runs="$runs" -max_len=64 -print_final_stats=1 \
        -artifact_prefix="$build/crash-$target-" \
        "$found" "$(dirname "$0")/corpus/$target" >"$log" 2>&1
    status=$?
    executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $target: ${executed:-0} executions, exit $status"
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log"
        exit 1
    fi
    rm -f "$log"
done
