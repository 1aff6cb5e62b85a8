#!/usr/bin/env bash
# What CI checks once every test has passed (./test.sh --ci runs it after
# them), in order; stops at the first failure. Needs the build that
# ./test.sh made, and root (or sudo) for the Debian 13 chroot.
set -euo pipefail
cd "$(dirname "$0")/.."
# The names of the unit and widget tests that the build in folder $1 registers.
unit_and_widget_tests() {
    ctest --test-dir "$1" -N -L 'unit|widget' | sed -n 's/^ *Test *#[0-9]*: //p' | sort
}
# The linters, with the compile commands of that build.
make lint
make test-sanitize
make test-clang
# clang's build registers the very tests that GCC's does.
diff <(unit_and_widget_tests build) <(unit_and_widget_tests build-clang)
echo "clang and GCC builds register the same $(unit_and_widget_tests build | wc -l) unit and widget tests"
make fuzz FUZZ_RUNS=50000
# Two package builds of this commit, from two clones at two times, give the
# same .deb byte for byte.
scripts/reproducible-package.sh
# The same test command on a fresh minimal Debian 13: every test (sway skips
# there: a chroot cannot make the user namespace it runs in).
scripts/debian-chroot.sh trixie ./test.sh
