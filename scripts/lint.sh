#!/usr/bin/env bash
# The linters, as make lint and CI run them: shellcheck on every shell script
# that git tracks (by its .sh name, or by a shell on its first line), and
# clang-tidy (.clang-tidy) on the product's sources, core/ desktop/ forms/
# quillon/ marrasket/ tools/, as the build folder's compile_commands.json
# compiles them. Prints every finding and exits 1 on any; says how many
# files each linter read.
#
#   scripts/lint.sh [BUILD_DIR] [JOBS]
set -euo pipefail
cd "$(dirname "$0")/.."
# One byte order for sort, comm and git.
export LC_ALL=C
build=${1:-build} jobs=${2:-2}
status=0

scripts=()
while IFS= read -r -d '' file; do
    case $file in
        *.sh) scripts+=("$file") ;;
        *) if head -n 1 -- "$file" | grep -Eq '^#!.*[/ ](ba)?sh$'; then scripts+=("$file"); fi ;;
    esac
done < <(git ls-files -z)
if shellcheck -x "${scripts[@]}"; then
    echo "shellcheck: ${#scripts[@]} scripts, no findings"
else
    status=1
fi

# The product's sources that the build compiles, not the tests' nor the
# measurements'; every one that git tracks must be there.
db=$build/compile_commands.json
[ -f "$db" ] || { echo "lint: no $db: configure the build first (make configure)" >&2; exit 1; }
product='^(core|desktop|forms|quillon|marrasket|tools)/([^/]+/)*[^/]+\.cpp$'
mapfile -t sources < <(jq -r --arg root "$PWD/" '.[].file | select(startswith($root)) | ltrimstr($root)' "$db" |
    grep -E "$product" | grep -v '/tests/' | sort -u)
mapfile -t missing < <(git ls-files | grep -E "$product" | grep -v '/tests/' |
    comm -23 - <(printf '%s\n' "${sources[@]}"))
if [ ${#missing[@]} -gt 0 ]; then
    echo "lint: not in $db, configure the build again: ${missing[*]}" >&2
    exit 1
fi
[ ${#sources[@]} -gt 0 ] || { echo "lint: no product sources in $db" >&2; exit 1; }
# bugprone-* and performance-* grow with each release: the code is kept clean
# under CI's, Debian 12's clang-tidy 14, and a later one may find more.
tidy_version=$(clang-tidy --version | sed -n 's/.*LLVM version \([0-9]*\).*/\1/p')
if [ "$tidy_version" != 14 ]; then
    echo "clang-tidy ${tidy_version:-of unknown version}: .clang-tidy is kept clean under clang-tidy 14, as CI runs it; this one may find more"
fi
# Each file's findings together, and only a file that has some, without the
# count of the warnings it left out (Qt's).
# shellcheck disable=SC2016 # the inner shell expands them
if printf '%s\0' "${sources[@]}" | xargs -0 -P "$jobs" -n 1 sh -c '
        out=$(nice -n 10 clang-tidy -p "$0" --quiet "$1" 2>&1) ||
            { printf "%s\n" "$out" | grep -v "^[0-9]* warnings\{0,1\} generated\.$"; exit 1; }' "$build"; then
    echo "clang-tidy: ${#sources[@]} sources, no findings"
else
    status=1
fi
exit $status
