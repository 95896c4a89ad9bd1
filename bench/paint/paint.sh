#!/usr/bin/env bash
# Benchmark: window-tree painting under Wine (bench_paint): a tree of the wizard's
# kind (340 x 420, about 60 windows built from layout XML: background image, text
# in "微软雅黑", image skins by state, one window at alpha 128 and one cached)
# painted into a memory render target. Prints the median and worst milliseconds of
# a full frame and of the redraw of one element. Goals: a full frame under 5 ms,
# one element under 1 ms. Where 32-bit Wine runs emulated, the figures include
# the emulator.
#
#   TIVALA_BUILD=... bench/paint/paint.sh [ROUNDS]
# shellcheck source=../common/prologue.sh
. "$(dirname "$0")/../common/prologue.sh"
program=$build/bench/paint/bench_paint.exe
rounds=${1:-300}

bench_wine "$program" "full frame" "$rounds"
