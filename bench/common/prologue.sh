# Sourced first by every benchmark script, as
#   . "$(dirname "$0")/../common/prologue.sh"
# Stops the script at the first failure, finds the checkout, and gives what the
# scripts share: the clock of timing.sh, the content of content.sh and
#
#   root                   the checkout
#   build                  its build tree (TIVALA_BUILD, default build/)
#   cache                  the machine's dependency cache (TIVALA_CACHE)
#   bench_name             the script's file name, for its messages
#   bench_require FILE...  stops (status 2) unless each built file is there
#   bench_tools TOOL...    stops (status 2) unless each host tool is installed
#   bench_wine PROGRAM KEY ARGS...
#                          runs a benchmark program under tools/wine-run and
#                          prints its own lines (those naming it), also kept in
#                          bench_output; stops (status 1) unless one says KEY

set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${TIVALA_BUILD:-$root/build}
cache=${TIVALA_CACHE:-${HOME:-/root}/.cache/tivala}
bench_name=$(basename "$0")
# shellcheck source=timing.sh
. "$root/bench/common/timing.sh"
# shellcheck source=content.sh
. "$root/bench/common/content.sh"

bench_require() {   # bench_require FILE...
    local file
    for file in "$@"; do
        [[ -f $file ]] || { echo "$bench_name: $file is missing; build first (tools/test)" >&2; exit 2; }
    done
}

bench_tools() {   # bench_tools TOOL...
    local tool
    for tool in "$@"; do
        command -v "$tool" > /dev/null || { echo "$bench_name: $tool is missing (tools/setup installs it)" >&2; exit 2; }
    done
}

bench_wine() {   # bench_wine PROGRAM KEY ARGS...
    local program=$1 key=$2
    shift 2
    bench_require "$program"
    bench_output=$("$root/tools/wine-run" "$program" "$@" 2>&1 | grep -a "$(basename "$program" .exe): " || true)
    [[ $bench_output == *"$key"* ]] || { echo "$bench_name: the benchmark failed" >&2; echo "$bench_output" >&2; exit 1; }
    echo "$bench_output"
}
