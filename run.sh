#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillon (or Marrasket:
# ./run.sh marrasket).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
if [ "${1:-quillon}" = marrasket ]; then
    exec make run-marrasket
fi
exec make run
