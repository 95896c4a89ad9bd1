#!/usr/bin/env bash
# Benchmark: list control against list view under Wine (bench_listctrl): a list
# control of 340 x 300 with 100,000 rows of three columns, scrolled from the top
# to the bottom one row a step, each step painted into the host's surface, and
# bench_listview's list view of 100,000 rows the same way in the same run. Prints
# the time to append 10,000 and 100,000 rows, the median and worst milliseconds
# of a step of each list, the peak working set and the working set a row takes.
# Goals: the list control's median within 1.5 times the list view's; 100,000
# rows appended within 12 times the time of 10,000; under 300 bytes a row. Where
# 32-bit Wine runs emulated, the figures include the emulator.
#
#   TIVALA_BUILD=... bench/listctrl/listctrl.sh [STEPS]
# STEPS (optional) stops each scroll after that many steps.
# shellcheck source=../common/prologue.sh
. "$(dirname "$0")/../common/prologue.sh"
program=$build/bench/listctrl/bench_listctrl.exe
export TIVALA_TIMEOUT=${TIVALA_TIMEOUT:-3600}   # two whole runs of 100,000 steps outlast the usual limit

bench_wine "$program" "goal" "$@"
