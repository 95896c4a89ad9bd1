#!/usr/bin/env bash
# Benchmark: one whole installation of four modules (about 200 MB of packages)
# served by nginx over loopback, done three ways in each run:
#   engine  engine-run under Wine: manifest, sizes, downloads, unpacking,
#           registration, as the wizard drives it;
#   parts   the engine's parts on their own under the same Wine: curl.exe for the
#           manifest and each package, then 7za.exe x of each (built from the same
#           source packages as the engine's libraries by bench/parts/parts.sh);
#   host    Debian's curl and 7zz doing the same on the host.
# Checks that all three give the same module trees and prints, per run and as
# the median of the runs, each side's time and the ratios.
#
#   RUNS=5 TIVALA_CACHE=... TIVALA_BUILD=... bench/install/install.sh [WORK_DIR]
#
# The engine also sends its completion reports to nginx, which refuses them
# (405) at once; their time is shown apart, after the installation's.
#
# Times "in process" leave out Wine's start-up: the engine's is what engine-run
# measures itself (from the manifest request to the done message); a part's is
# its wall time less the start-up and exit of the same program doing nothing
# (curl.exe --version, 7za.exe i), measured in the same run. Times "with Wine"
# are the wall times of the wine commands. All Windows programs run in one Wine
# session whose wineserver is warmed up before the first timing.
#
# The packages are made once in WORK_DIR (default /tmp/tivala-bench-install) and
# reused by later runs; the installed trees are removed after each run.
# shellcheck source=../common/prologue.sh
. "$(dirname "$0")/../common/prologue.sh"
work=${1:-/tmp/tivala-bench-install}
runs=${RUNS:-5}
program=$build/tests/engine-run.exe

bench_require "$program"
[[ -f $cache/current.env ]] || { echo "install.sh: run tools/setup first" >&2; exit 2; }
bench_tools curl 7zz
# shellcheck source=../../tools/nginx.sh
. "$root/tools/nginx.sh"
nginx_ensure || exit 2
parts=$("$root/bench/parts/parts.sh") || { echo "install.sh: the parts could not be built" >&2; exit 2; }
mkdir -p "$work"
site=$work/site
modules=(Alpha Beta Gamma Delta)

make_packages() {
    local content=$work/content
    rm -rf "$content" "$site"
    mkdir -p "$site"
    bench_content "$content"
    local module
    for module in "${modules[@]}"; do
        (cd "$content" && 7zz a -bd -bso0 "$site/${module,,}.7z" -- "$module")
    done
    rm -rf "$content"
}

[[ -f $site/delta.7z ]] || make_packages
total=$(cat "$site"/*.7z | wc -c)
echo "packages: $(for m in "${modules[@]}"; do printf '%s %s  ' "$m" "$(du -h "$site/${m,,}.7z" | cut -f1)"; done)"
echo "total: $((total / 1024 / 1024)) MB; $runs runs"

# shellcheck source=/dev/null
. "$cache/current.env"
# shellcheck source=../../tools/wine-env
. "$root/tools/wine-env"
session=0
cleanup() {
    (( session )) && wine_session_stop
    nginx_stop
    rm -rf "$work/host" "$work/parts" "$work/engine" "$work/data" "$work/resource" "$work/downloads" "$work/diff.txt"
}
trap cleanup EXIT
nginx_start "$site" || exit 1
base=$nginx_url
{
    echo "["
    id=1
    for module in "${modules[@]}"; do
        [[ $id -gt 1 ]] && echo ","
        printf '{"id":"%d","appPath":"%s","widgetver":"1.0","isForceDownLoad":"1","downLoadUrl":"%s%s.7z"}' \
            "$id" "$module" "$base" "${module,,}"
        id=$((id + 1))
    done
    echo "]"
} > "$site/manifest.json"

wine_session_start || exit 1
session=1

# Wall time of one Windows program run in the session; its output in $work/last.out.
wine_timed() {
    local start
    start=$(now)
    wine "$@" > "$work/last.out" 2>&1 < /dev/null || { echo "install.sh: failed: $*" >&2; tail -n 5 "$work/last.out" >&2; return 1; }
    since "$start"
}

# Warm-up, the same for all: the wineserver, Wine's own DLLs and the packages in
# the page cache.
wine_timed "$parts/curl.exe" --version > /dev/null
wine_timed "$parts/7za.exe" i > /dev/null
cat "$site"/*.7z > /dev/null

check_trees() {   # check_trees SIDE_FOLDER
    local module
    for module in "${modules[@]}"; do
        if ! diff -r -q "$work/host/$module" "$1/$module" > "$work/diff.txt"; then
            echo "install.sh: the trees of $module differ ($1):" >&2; head "$work/diff.txt" >&2; exit 1
        fi
    done
}

# The host: the manifest, then each package downloaded and unpacked, one after the other.
host_run() {
    rm -rf "$work/host" "$work/downloads" && mkdir -p "$work/downloads"
    local downloading=0 unpacking=0 start step module
    start=$(now)
    curl -sf -o "$work/downloads/manifest.json" "${base}manifest.json"
    for module in "${modules[@]}"; do
        step=$(now)
        curl -sf -o "$work/downloads/${module,,}.7z" "$base${module,,}.7z"
        downloading=$(add "$downloading" "$(since "$step")")
        step=$(now)
        7zz x -bd -bso0 -y "-o$work/host" "$work/downloads/${module,,}.7z"
        unpacking=$(add "$unpacking" "$(since "$step")")
    done
    host_total=$(since "$start")
    host_download=$downloading
    host_unpack=$unpacking
    rm -rf "$work/downloads"
}

# The parts under Wine: the same steps with curl.exe and 7za.exe.
parts_run() {
    rm -rf "$work/parts" "$work/downloads" && mkdir -p "$work/downloads"
    local curl_start zip_start wall module count=0 downloads=0 unpacks=0
    curl_start=$(startup_time "$parts/curl.exe" --version)
    zip_start=$(startup_time "$parts/7za.exe" i)
    local downloading=0 unpacking=0
    wall=$(wine_timed "$parts/curl.exe" -sf -o "$(winpath "$work/downloads/manifest.json")" "${base}manifest.json")
    downloading=$wall
    downloads=1
    for module in "${modules[@]}"; do
        wall=$(wine_timed "$parts/curl.exe" -sf -o "$(winpath "$work/downloads/${module,,}.7z")" "$base${module,,}.7z")
        downloading=$(add "$downloading" "$wall")
        downloads=$((downloads + 1))
        wall=$(wine_timed "$parts/7za.exe" x -bd -bso0 -y "-o$(winpath "$work/parts")" \
            "$(winpath "$work/downloads/${module,,}.7z")")
        unpacking=$(add "$unpacking" "$wall")
        unpacks=$((unpacks + 1))
    done
    parts_wall=$(add "$downloading" "$unpacking")
    parts_download=$(sub "$downloading" "$(awk -v n=$downloads -v s="$curl_start" 'BEGIN { print n * s }')")
    parts_unpack=$(sub "$unpacking" "$(awk -v n=$unpacks -v s="$zip_start" 'BEGIN { print n * s }')")
    parts_total=$(add "$parts_download" "$parts_unpack")
    parts_startup="curl.exe $curl_start s, 7za.exe $zip_start s"
    rm -rf "$work/downloads"
}

# The engine, from a fresh data directory whose devconfig.ini names the server.
engine_run() {
    rm -rf "$work/engine" "$work/data" "$work/resource" && mkdir -p "$work/data"
    printf '[install]\r\nurlrequest=%s\r\nfilewidget=manifest.json\r\n' "$base" > "$work/data/devconfig.ini"
    engine_start=$(startup_time "$program")
    engine_wall=$(wine_timed "$program" --data "$(winpath "$work/data")" --install "$(winpath "$work/engine")" \
        --resource "$(winpath "$work/resource")" --modules all --timeout 1200 --report "${base%/}") || exit 1
    local output
    output=$(tr -d '\r' < "$work/last.out")
    engine=$(sed -n 's/^engine-run: installed in \([0-9.]*\) s$/\1/p' <<< "$output")
    [[ -n $engine ]] || { echo "install.sh: the engine did not install:" >&2; tail -n 5 <<< "$output" >&2; exit 1; }
    engine_phases=$(sed -n 's/^engine-run: phases: //p' <<< "$output")
    engine_reports=$(sed -n 's/^engine-run: reports sent in \([0-9.]*\) s$/\1/p' <<< "$output")
    local wizard
    wizard=$(grep -a '^0x50[1-7] ' <<< "$output" || true)
    engine_messages="$(wc -l <<< "$wizard") wizard messages, the last: $(tail -n 1 <<< "$wizard")"
}

declare -a H P E PW EW
for run in $(seq "$runs"); do
    # The machine's other load drifts: the sides take turns at going first.
    if (( run % 2 )); then
        host_run; parts_run; engine_run
    else
        engine_run; parts_run; host_run
    fi
    check_trees "$work/parts"
    check_trees "$work/engine"
    rm -rf "$work/host" "$work/parts" "$work/engine" "$work/data" "$work/resource"
    H+=("$host_total"); P+=("$parts_total"); E+=("$engine"); PW+=("$parts_wall"); EW+=("$engine_wall")
    echo "run $run:"
    printf '  host  curl + 7zz:        %7.3f s (downloads %.3f s, unpacking %.3f s)\n' "$host_total" "$host_download" "$host_unpack"
    printf '  parts in process:        %7.3f s (downloads %.3f s, unpacking %.3f s; start-up %s)\n' \
        "$parts_total" "$parts_download" "$parts_unpack" "$parts_startup"
    printf '  engine in process:       %7.3f s (%s; then the reports %s s)\n' "$engine" "$engine_phases" "$engine_reports"
    printf '  parts with Wine:         %7.3f s (9 programs)\n' "$parts_wall"
    printf '  engine with Wine:        %7.3f s (start-up and exit of engine-run alone: %s s)\n' "$engine_wall" "$engine_start"
    echo "  engine-run: $engine_messages"
done

h=$(printf '%s\n' "${H[@]}" | median)
p=$(printf '%s\n' "${P[@]}" | median)
e=$(printf '%s\n' "${E[@]}" | median)
pw=$(printf '%s\n' "${PW[@]}" | median)
ew=$(printf '%s\n' "${EW[@]}" | median)
echo "medians of $runs runs:"
printf '  host %.3f s, parts %.3f s (with Wine %.3f s), engine %.3f s (with Wine %.3f s)\n' "$h" "$p" "$pw" "$e" "$ew"
printf '  engine / host:  %s in process, %s with Wine\n' "$(ratio "$e" "$h")" "$(ratio "$ew" "$h")"
printf '  engine / parts: %s in process, %s with Wine\n' "$(ratio "$e" "$p")" "$(ratio "$ew" "$pw")"
