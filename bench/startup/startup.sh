#!/usr/bin/env bash
# Benchmark: the installer's start-up under Wine (bench_startup): from the
# process's creation to the wizard's first frame on screen, and the peak working
# set once every skin image (the splash and completion strips among them) is
# decoded; the median and worst of RUNS starts. Goals: first frame under 300 ms,
# working set under 300 MB. Where 32-bit Wine runs emulated, the times include
# the emulator.
#
#   TIVALA_BUILD=... bench/startup/startup.sh [RUNS]
# shellcheck source=../common/prologue.sh
. "$(dirname "$0")/../common/prologue.sh"
program=$build/bench/startup/bench_startup.exe
runs=${1:-5}

bench_wine "$program" "first frame" "$runs"
frame=$(sed -n 's/.*first frame *median *\([0-9.]*\) ms.*/\1/p' <<< "$bench_output")
memory=$(sed -n 's/.*peak working set *median *\([0-9.]*\) MB.*/\1/p' <<< "$bench_output")
if (( $(echo "$frame < 300" | bc -l) )); then
    echo "goal met: first frame in $frame ms (median), under 300 ms"
else
    echo "goal missed: first frame in $frame ms (median), goal 300 ms"
fi
if [[ -n $memory ]]; then
    if (( $(echo "$memory < 300" | bc -l) )); then
        echo "goal met: peak working set $memory MB (median), under 300 MB"
    else
        echo "goal missed: peak working set $memory MB (median), goal 300 MB"
    fi
fi
