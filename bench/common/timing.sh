# Sourced by the benchmark scripts: clock arithmetic in seconds with three
# decimals, and the start-up of a Windows program under Wine.
#
#   now                 the clock
#   add A B, sub A B    A + B, A - B
#   since START         seconds from START to now
#   median              the median of the numbers on standard input
#   ratio A B           A / B with two decimals
#   winpath PATH        the host PATH as Wine's Z: path
#   startup_time PROGRAM ARGS...
#                       median wall time of three runs of a Windows program
#                       that only starts and ends

now() { date +%s.%N; }
add() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a + b }'; }
sub() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a - b }'; }
since() { sub "$(now)" "$1"; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
winpath() { printf 'Z:%s' "${1//\//\\}"; }

startup_time() {   # startup_time PROGRAM ARGS...
    local i start
    for i in 1 2 3; do
        start=$(now)
        wine "$@" > /dev/null 2>&1 < /dev/null || true
        since "$start"; echo
    done | median
}
