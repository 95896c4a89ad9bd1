#!/usr/bin/env bash
# Benchmark: relayout under Wine (bench_layout): a window of 5,000 text children
# 40 x 20 resized, alternately to one of two sizes, and laid out again; as a row
# ("hbox", centred across) and as a grid of 100 columns ("gridLayout", column
# and row weights 1), each against the same children placed by "pos" with the
# default layout in the same run; then 500 children the same way. Prints the
# median of 20 relayouts for each, in milliseconds. Goals: each layout within
# 1.5 times the default layout's time, 5,000 children within 12 times 500 (the
# cells flow without a quadratic walk). Where 32-bit Wine runs emulated, the
# figures include the emulator.
#
#   TIVALA_BUILD=... bench/layout/layout.sh
# shellcheck source=../common/prologue.sh
. "$(dirname "$0")/../common/prologue.sh"
program=$build/bench/layout/bench_layout.exe

bench_wine "$program" "goal"
