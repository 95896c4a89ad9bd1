#!/usr/bin/env bash
# Benchmark: one whole installation of four modules (about 200 MB of packages)
# from the tests' package server over loopback, through the engine (engine-run
# under Wine: manifest, sizes, downloads, unpacking, registration) and through
# Debian's tools on the host (curl for the manifest and each package, then 7zz x
# of each), in the same run. Checks that both give the same module trees and
# prints both times and their ratio.
#
#   TIVALA_CACHE=... TIVALA_BUILD=... bench/install/install.sh [WORK_DIR]
#
# The engine is timed twice: "engine" is the installation as engine-run measures
# it inside the process (from the manifest request to the done message), "engine
# with Wine" the whole wine-run command, Wine's start-up and exit included.
# The packages are made once in WORK_DIR (default /tmp/tivala-bench-install) and
# reused by later runs; the installed trees are removed after each run. The
# installation registers the product in the project's Wine prefix, as the tests
# that install do.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=${TIVALA_BUILD:-$root/build}
work=${1:-/tmp/tivala-bench-install}
program=$build/tests/engine-run.exe
wine_dlls=/usr/lib/i386-linux-gnu/wine/i386-windows

[[ -f $program ]] || { echo "install.sh: $program is missing; build first (tools/test)" >&2; exit 2; }
command -v curl > /dev/null || { echo "install.sh: the curl command-line tool is missing" >&2; exit 2; }
command -v 7zz > /dev/null || { echo "install.sh: 7zz is missing" >&2; exit 2; }
mkdir -p "$work"
site=$work/site
modules=(Alpha Beta Gamma Delta)

# Content: incompressible random files (large ones and many small ones), text
# that compresses well, and executables, which 7zz filters with BCJ.
make_packages() {
    local content=$work/content
    rm -rf "$content" "$site"
    mkdir -p "$content" "$site"
    mkdir -p "$content/Alpha/random"
    for i in 1 2 3; do
        head -c $((20 * 1024 * 1024)) /dev/urandom > "$content/Alpha/random/large$i.bin"
    done
    local i
    for i in $(seq 1 200); do
        mkdir -p "$content/Alpha/small/set$((i / 50))"
        head -c $((4096 + (i * 7919) % 45000)) /dev/urandom > "$content/Alpha/small/set$((i / 50))/part$i.dat"
    done
    mkdir -p "$content/Beta"
    head -c $((50 * 1024 * 1024)) /dev/urandom > "$content/Beta/data.bin"
    mkdir -p "$content/Gamma/text" "$content/Gamma/random"
    head -c $((35 * 1024 * 1024)) /dev/urandom > "$content/Gamma/random/media.bin"
    python3 - "$content/Gamma/text" <<'PY'
import random, sys
random.seed(7)
words = ["".join(random.choice("abcdefghijklmnopqrstuvwxyz") for _ in range(random.randint(2, 10))) for _ in range(3000)]
for n in range(8):
    with open(f"{sys.argv[1]}/notes{n}.txt", "w") as out:
        for _ in range(60):
            out.write(" ".join(random.choices(words, k=25000)) + "\n")
PY
    mkdir -p "$content/Delta/programs"
    find "$wine_dlls" -maxdepth 1 -type f \( -name '*.dll' -o -name '*.exe' \) -size +200k | sort | head -150 |
        xargs cp -t "$content/Delta/programs"
    local module
    for module in "${modules[@]}"; do
        (cd "$content" && 7zz a -bd -bso0 "$site/${module,,}.7z" -- "$module")
    done
    rm -rf "$content"
}

[[ -f $site/delta.7z ]] || make_packages
total=$(cat "$site"/*.7z | wc -c)
echo "packages: $(for m in "${modules[@]}"; do printf '%s %s  ' "$m" "$(du -h "$site/${m,,}.7z" | cut -f1)"; done)"
echo "total: $((total / 1024 / 1024)) MB"

server_pid=
stop() {
    if [[ -n $server_pid ]]; then
        touch "$work/control/stop"
        wait "$server_pid" 2> /dev/null || true
    fi
    rm -rf "$work/control" "$work/host" "$work/engine" "$work/data" "$work/resource" "$work/downloads"
}
trap stop EXIT
rm -rf "$work/control" && mkdir -p "$work/control"
python3 "$root/tests/servers/package_server.py" --control "$work/control" --root "$site" \
    --max-seconds 3600 > "$work/server.log" 2>&1 &
server_pid=$!
for _ in $(seq 200); do
    [[ -f $work/control/port ]] && break
    sleep 0.05
done
[[ -f $work/control/port ]] || { echo "install.sh: the package server did not start" >&2; exit 1; }
base="http://127.0.0.1:$(cat "$work/control/port")/"

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

# The host: the manifest, then each package downloaded and unpacked, one after the other.
rm -rf "$work/host" "$work/downloads" && mkdir -p "$work/downloads"
downloading=0
unpacking=0
since() { echo "$(date +%s.%N) - $1" | bc -l; }
start=$(date +%s.%N)
curl -sf -o "$work/downloads/manifest.json" "${base}manifest.json"
for module in "${modules[@]}"; do
    step=$(date +%s.%N)
    curl -sf -o "$work/downloads/${module,,}.7z" "$base${module,,}.7z"
    downloading=$(echo "$downloading + $(since "$step")" | bc -l)
    step=$(date +%s.%N)
    7zz x -bd -bso0 -y "-o$work/host" "$work/downloads/${module,,}.7z"
    unpacking=$(echo "$unpacking + $(since "$step")" | bc -l)
done
host=$(since "$start")
rm -rf "$work/downloads"

# The engine, from a fresh data directory whose devconfig.ini names the server.
rm -rf "$work/engine" "$work/data" "$work/resource" && mkdir -p "$work/data"
printf '[install]\r\nurlrequest=%s\r\nfilewidget=manifest.json\r\n' "$base" > "$work/data/devconfig.ini"
winpath() { printf 'Z:%s' "${1//\//\\}"; }
start=$(date +%s.%N)
status=0
"$root/tools/wine-run" "$program" --data "$(winpath "$work/data")" --install "$(winpath "$work/engine")" \
    --resource "$(winpath "$work/resource")" --modules all --timeout 1200 \
    > "$work/engine-run.out" 2> "$work/engine-run.err" || status=$?
end=$(date +%s.%N)
wine_total=$(echo "$end - $start" | bc -l)
# wine-run may merge the program's standard error into its output: read both.
engine=$(cat "$work/engine-run.out" "$work/engine-run.err" | tr -d '\r' |
    sed -n 's/^engine-run: installed in \([0-9.]*\) s$/\1/p')
if [[ $status -ne 0 || -z $engine ]]; then
    echo "install.sh: the engine failed (exit $status):" >&2
    tail -n 5 "$work/engine-run.err" "$work/engine-run.out" >&2
    exit 1
fi
wizard=$(tr -d '\r' < "$work/engine-run.out" | grep -a '^0x50[1-7] ' || true)
echo "engine-run: $(wc -l <<< "$wizard") wizard messages, the last: $(tail -n 1 <<< "$wizard")"
cat "$work/engine-run.out" "$work/engine-run.err" | tr -d '\r' | grep -a '^engine-run: at ' || true

for module in "${modules[@]}"; do
    if ! diff -r -q "$work/host/$module" "$work/engine/$module" > "$work/diff.txt"; then
        echo "install.sh: the trees of $module differ:" >&2; head "$work/diff.txt" >&2; exit 1
    fi
done
rm -f "$work/diff.txt"

printf 'curl + 7zz x (host):     %7.3f s (packages: curl %.3f s, 7zz x %.3f s)\n' "$host" "$downloading" "$unpacking"
printf 'engine (in process):     %7.3f s\n' "$engine"
printf 'engine with Wine:        %7.3f s\n' "$wine_total"
printf 'ratio engine / host:     %7.2f (with Wine %.2f)\n' "$(echo "$engine / $host" | bc -l)" \
    "$(echo "$wine_total / $host" | bc -l)"
