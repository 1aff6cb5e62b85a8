#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. With --ci, goes on
# to what CI checks besides: lint, the tests under sanitizers and with clang,
# fuzzing, a reproducible package and a fresh Debian 13 (scripts/ci-checks.sh).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
make test
if [ "${1:-}" = --ci ]; then
    exec scripts/ci-checks.sh
fi
