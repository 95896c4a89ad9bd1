#!/usr/bin/env bash
# Times one large download over loopback through the engine's HttpDownloadToFile
# under Wine and through Debian's curl command-line tool, from nginx (tools/nginx.sh),
# and prints both times and their ratio:
#   bench/http_download/http_download.sh     (SIZE_MB=200 RUNS=5 by default)
# Each side downloads RUNS times; the best and the median times are compared.
# The engine's time is Run() alone, as the bench program measures it, without
# Wine's start-up.
# Build first (tools/test); TIVALA_BUILD and TIVALA_CACHE as for tools/test.
# shellcheck source=../common/prologue.sh
. "$(dirname "$0")/../common/prologue.sh"
size_mb=${SIZE_MB:-200}
runs=${RUNS:-5}
program=$build/bench/http_download/bench_http_download.exe

bench_require "$program"
bench_tools curl

# shellcheck source=../../tools/nginx.sh
. "$root/tools/nginx.sh"
nginx_ensure || exit 2

work=$(mktemp -d "${TMPDIR:-/tmp}/bench-http.XXXXXX")
stop() {
    nginx_stop
    rm -rf "$work"
}
trap stop EXIT

mkdir -p "$work/root"
head -c "${size_mb}M" /dev/urandom > "$work/root/package.bin"
nginx_start "$work/root" || exit 1
url="${nginx_url}package.bin"

best() { sort -g | head -1; }

curl_times=()
for _ in $(seq "$runs"); do
    rm -f "$work/curl.bin"
    curl_times+=("$(curl -s -o "$work/curl.bin" -w '%{time_total}' "$url")")
    cmp -s "$work/curl.bin" "$work/root/package.bin" || { echo "http_download: curl's copy differs" >&2; exit 1; }
done
rm -f "$work/curl.bin"

target="Z:${work//\//\\}\\engine.bin"
output=$("$root/tools/wine-run" "$program" "$url" "$target" "$runs" 2>&1 | tr -d '\r') || true
engine_times=$(sed -n 's/^seconds //p' <<< "$output")
if [[ $(wc -l <<< "$engine_times") -ne $runs || -z $engine_times ]]; then
    echo "http_download: the engine failed: $output" >&2
    exit 1
fi
cmp -s "$work/engine.bin" "$work/root/package.bin" || { echo "http_download: the engine's copy differs" >&2; exit 1; }

curl_best=$(printf '%s\n' "${curl_times[@]}" | best)
curl_median=$(printf '%s\n' "${curl_times[@]}" | median)
engine_best=$(best <<< "$engine_times")
engine_median=$(median <<< "$engine_times")
echo "download of ${size_mb} MB over loopback, $runs runs each (seconds)"
echo "curl:   $(printf '%s ' "${curl_times[@]}")-> best ${curl_best}, median ${curl_median}"
echo "engine: $(tr '\n' ' ' <<< "$engine_times")-> best ${engine_best}, median ${engine_median}"
awk -v eb="$engine_best" -v cb="$curl_best" -v em="$engine_median" -v cm="$curl_median" \
    'BEGIN { printf "ratio engine/curl: best %.2f, median %.2f\n", eb / cb, em / cm }'
