#!/usr/bin/env bash
# Benchmark: tree control scrolling under Wine (bench_treectrl): a tree control of
# 340 x 300 with 100,000 items, 1,000 expanded parents of 99 children each, filled
# by calls, then scrolled from the top to the bottom one row a step, each step
# painted into the host's surface. Prints the time to insert the items, the
# median and worst milliseconds of a step, the median step over the first and the
# last 1,000 rows, the peak working set and the working set the items took per
# item. Goals: a step at the last rows within 1.5 times one at the first (a paint
# does not walk from the first item), under 300 bytes of working set per item.
# Where 32-bit Wine runs emulated, the figures include the emulator.
#
#   TIVALA_BUILD=... bench/treectrl/treectrl.sh [STEPS]
# STEPS (optional) times that many steps at the top and as many at the bottom
# instead of the whole way down.
# shellcheck source=../common/prologue.sh
. "$(dirname "$0")/../common/prologue.sh"
program=$build/bench/treectrl/bench_treectrl.exe
export TIVALA_TIMEOUT=${TIVALA_TIMEOUT:-1800}   # a whole run of 100,000 steps outlasts the usual limit

bench_wine "$program" "goal" "$@"
