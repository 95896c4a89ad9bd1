#!/usr/bin/env bash
# Benchmark: popup menus under Wine (bench_menu): a menu of 30 items with 3
# sub-menus, first drawn by the library as host windows (SMenuEx), then the same
# items owner-drawn in a menu of the system (SPopupMenu). Each of 20 rounds shows
# the menu, times it to its first frame, opens the first item's sub-menu with the
# Right key and times that to the sub-menu's first frame, then ends the menu.
# Prints the medians of both menus, and the GDI and USER objects and the working
# set after each round. Goals: the library's medians within 1.5 times the
# owner-drawn menu's; objects and working set flat over the rounds. Where 32-bit
# Wine runs emulated, the figures include the emulator.
#
#   TIVALA_BUILD=... bench/menu/menu.sh [ROUNDS]
# shellcheck source=../common/prologue.sh
. "$(dirname "$0")/../common/prologue.sh"
program=$build/bench/menu/bench_menu.exe

bench_wine "$program" "goal" "$@"
