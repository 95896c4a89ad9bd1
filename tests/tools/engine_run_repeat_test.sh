#!/usr/bin/env bash
# engine-run ends cleanly, run after run: it installs the same small site from
# nginx several times in one Wine session, sending its completion reports to
# nginx (which refuses them at once, as in the install benchmark), and every run
# must end with the done line and exit 0. A fault in the program's end (a thread
# of its own still ending while the process goes) shows only now and then, as a
# status of 139 from the emulator after the work was done; hence the repetition.
#
#   tests/tools/engine_run_repeat_test.sh ENGINE_RUN_EXE [RUNS]
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
engine_run=$1
runs=${2:-8}
cache=${TIVALA_CACHE:-${HOME:-/root}/.cache/tivala}
# shellcheck source=/dev/null
. "$cache/current.env"
# shellcheck source=../../tools/wine-env
. "$root/tools/wine-env"
# shellcheck source=../../tools/nginx.sh
. "$root/tools/nginx.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/engine-run-repeat.XXXXXX")
session=0
cleanup() {
    set +e   # everything started is ended, whatever one of them answers
    (( session )) && wine_session_stop
    nginx_stop
    rm -rf "$work"
}
trap cleanup EXIT
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# Two modules, one forced and one optional, each a few files of text and noise.
site=$work/site
mkdir -p "$site"
for module in Alpha Beta; do
    mkdir -p "$work/content/$module/sub"
    head -c 2000000 /dev/urandom > "$work/content/$module/noise.bin"
    for i in $(seq 20); do seq "$i" 3000 > "$work/content/$module/sub/$i.txt"; done
    (cd "$work/content" && 7zz a -bd -bso0 "$site/${module,,}.7z" -- "$module")
done
nginx_start "$site"
base=$nginx_url
printf '[{"id":"1","appPath":"Alpha","isForceDownLoad":"1","downLoadUrl":"%salpha.7z"},
{"id":"2","appPath":"Beta","downLoadUrl":"%sbeta.7z"}]' "$base" "$base" > "$site/manifest.json"

# A session of its own: the installations write the product's registration,
# which the engine's tests in the shared session hold a lock over.
unset TIVALA_SESSION
wine_session_start
session=1

failures=0
for run in $(seq "$runs"); do
    rm -rf "$work/Tivala" "$work/TivalaResource" "$work/data" && mkdir -p "$work/data"
    printf '[install]\r\nurlrequest=%s\r\nfilewidget=manifest.json\r\n' "$base" > "$work/data/devconfig.ini"
    set +e
    timeout 300 wine "$engine_run" --data "$(winpath "$work/data")" --install "$(winpath "$work/Tivala")" \
        --resource "$(winpath "$work/TivalaResource")" --modules all --timeout 240 --report "${base%/}" \
        > "$work/run.out" 2>&1 < /dev/null
    rc=$?
    set -e
    output=$(tr -d '\r' < "$work/run.out")
    if (( rc != 0 )) || ! grep -qx '0x507 done' <<< "$output" || [[ ! -f $work/Tivala/Beta/noise.bin ]]; then
        echo "FAILED: run $run ended with $rc:" >&2
        grep -av '^0x50[356] ' <<< "$output" | tail -n 10 >&2
        failures=$((failures + 1))
    fi
done

(( failures == 0 )) || exit 1
echo "engine_run_repeat_test: $runs runs installed and ended with 0"
