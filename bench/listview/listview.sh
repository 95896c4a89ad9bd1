#!/usr/bin/env bash
# Benchmark: list and tile view scrolling under Wine (bench_listview): a list of 340 x 300
# fed by an adapter of 100,000 rows of two heights (20 and 32 pixels, flexible
# locator), scrolled from the top to the bottom one row a step, each step painted
# into the host's surface; then 1,000 rows the same way; then a tile view of the
# same size with 100,000 tiles of 80 x 80, one row of tiles a step; then a
# multi-column view of 100,000 rows of the list's heights under a header of four
# columns of 80, a line of text in each. Prints the
# median and worst milliseconds of a step, the panels made, the rows (tiles)
# visible at most and the peak working set. Goals: median under 5 ms, worst under
# 16 ms, panels at most the visible rows + 2 per view type, a step of 1,000 rows
# within 1.2 times one of 100,000; the tile view's median within 1.3 times the
# list's and its worst within 2 times; the multi-column view's median within 1.5
# times the list's and its worst within 2 times. Where 32-bit Wine runs emulated, the
# figures include the emulator.
#
#   TIVALA_BUILD=... bench/listview/listview.sh [STEPS]
# STEPS (optional) stops each run after that many steps.
# shellcheck source=../common/prologue.sh
. "$(dirname "$0")/../common/prologue.sh"
program=$build/bench/listview/bench_listview.exe
export TIVALA_TIMEOUT=${TIVALA_TIMEOUT:-1800}   # a whole run of 100,000 steps outlasts the usual limit

bench_wine "$program" "goal" "$@"
