#!/usr/bin/env bash
# Benchmark: a combo box's popup under Wine (bench_combo): a combo box of 1,000
# entries, the 900th chosen, opened by a press on its host window and closed with
# Escape 50 times; the time from the press to the popup's first frame (median and
# worst), the process's GDI and USER objects and working set before and after. In
# the same run a plain host window of the popup's size holding the same list box
# is made, shown, painted and destroyed 50 times. Goals: a median within 1.3 times
# the plain host's, no growth of objects, a working set within 1 MB of the start.
# Where 32-bit Wine runs emulated, the figures include the emulator.
#
#   TIVALA_BUILD=... bench/combo/combo.sh [ROUNDS]
# shellcheck source=../common/prologue.sh
. "$(dirname "$0")/../common/prologue.sh"
program=$build/bench/combo/bench_combo.exe

bench_wine "$program" "goal" "$@"
