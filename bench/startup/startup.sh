#!/usr/bin/env bash
# Benchmark: the installer's start-up under Wine (bench_startup): from the
# process's creation to the wizard's first frame on screen, and the peak working
# set once the splash's images are decoded; the median and worst of RUNS starts,
# each beside a start of a trivial window program in the same run. Goals: the
# first frame within 2 times the trivial program's, peak working set under
# 220 MB. Where 32-bit Wine runs emulated, the times include the emulator, which
# the trivial program's time shows.
#
#   TIVALA_BUILD=... bench/startup/startup.sh [RUNS]
# shellcheck source=../common/prologue.sh
. "$(dirname "$0")/../common/prologue.sh"
program=$build/bench/startup/bench_startup.exe
runs=${1:-5}

bench_wine "$program" "first frame ratio" "$runs"
frame=$(sed -n 's/.*installer start to first frame *median *\([0-9.]*\) ms.*/\1/p' <<< "$bench_output")
yardstick=$(sed -n 's/.*trivial window start to first frame *median *\([0-9.]*\) ms.*/\1/p' <<< "$bench_output")
memory=$(sed -n 's/.*installer peak working set *median *\([0-9.]*\) MB.*/\1/p' <<< "$bench_output")
if (( $(echo "$frame <= 2 * $yardstick" | bc -l) )); then
    echo "goal met: first frame in $frame ms (median), within 2 x the trivial program's $yardstick ms"
else
    echo "goal missed: first frame in $frame ms (median), goal 2 x the trivial program's $yardstick ms"
fi
if [[ -n $memory ]]; then
    if (( $(echo "$memory < 220" | bc -l) )); then
        echo "goal met: peak working set $memory MB (median), under 220 MB"
    else
        echo "goal missed: peak working set $memory MB (median), goal 220 MB"
    fi
fi
