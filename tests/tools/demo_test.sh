#!/usr/bin/env bash
# The demo that tools/run installs is whole and valid: engine-run installs every
# module of it from nginx, in a Wine session of its own, and sends its reports
# to the fixed report host, which reaches the report server through the HTTP
# proxy setting as the installer's do in tools/run. Then
#   - the installation, data and resource folders hold exactly what the host's
#     7-Zip unpacks from the packages (and the copies and files the engine adds);
#   - the service stand-in was run with "install";
#   - the package server answered every request, without one error;
#   - the report server heard the installation's reports.
#
#   tests/tools/demo_test.sh ENGINE_RUN_EXE STAND_IN_EXE
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
engine_run=$1
stand_in=$2
# shellcheck source=../../tools/nginx.sh
. "$root/tools/nginx.sh"
# shellcheck source=../../tools/demo.sh
. "$root/tools/demo.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/demo-test.XXXXXX")
cleanup() {
    set +e   # every server is ended, whatever one of them answers
    report_stop
    nginx_stop
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}
winpath() { printf 'Z:%s' "${1//\//\\}"; }

demo_make "$work/site" "$stand_in"
nginx_start "$work/site/www" "$work/access.log"
base="${nginx_url}install/"
demo_manifest "$work/site" "$base"
demo_devconfig "$work/data" "$base"
report_start "$work/reports"

# A session of its own: the installation writes the product's registration and
# desktop shortcut, which the engine's tests in the shared session hold a lock
# over.
unset TIVALA_SESSION
set +e
http_proxy=$report_url no_proxy=127.0.0.1,localhost TIVALA_TIMEOUT=300 \
    "$root/tools/wine-run" "$engine_run" --data "$(winpath "$work/data")" \
    --install "$(winpath "$work/Tivala")" --resource "$(winpath "$work/TivalaResource")" \
    --modules all --report http://report.tivala.com --timeout 240 > "$work/engine-run.out" 2>&1
rc=$?
set -e
output=$(tr -d '\r' < "$work/engine-run.out")
if (( rc != 0 )) || ! grep -qx '0x507 done' <<< "$output"; then
    echo "engine-run ended with $rc:" >&2
    grep -v '^0x50[356] ' <<< "$output" | tail -n 30 >&2
    exit 1
fi
grep -q 'download failed\|unpacked failed' <<< "$output" && fail "a download or an unpacking failed"

# What the host's 7-Zip makes of the packages.
expected=$work/expected
unpack() {   # unpack PACKAGE FOLDER
    mkdir -p "$2"
    7zz x -bd -bso0 -y "-o$2" "$work/site/www/install/packages/$(demo_package_file "$1")"
}
for name in main starter browser wallpaper rainmeter tivalabrowser weather clock; do
    unpack "$name" "$expected/Tivala"
done
cp "$expected/Tivala/uninstall.exe" "$expected/Tivala/unist.exe"
unpack mainresource "$expected/data"
unpack rainmeterskin "$expected/data"
mkdir -p "$expected/data/Data"
cp "$work/data/devconfig.ini" "$expected/data/"
cp "$work/site/www/install/widgets_config.dexo" "$work/site/www/install/config/"*.json "$expected/data/"
unpack defaultpaper "$expected/TivalaResource"

for folder in Tivala data TivalaResource; do
    diff -r --exclude='*.runs' "$expected/$folder" "$work/$folder" > "$work/diff.txt" ||
        fail "the folder $folder differs from the packages: $(head -n 10 "$work/diff.txt")"
done
runs=$work/Tivala/Main/tivalaservice.exe.runs
if [[ ! -f $runs ]] || ! tr -d '\r' < "$runs" | grep -q ' install$'; then
    fail "the service program was not run with install"
fi

# Every address of the manifest was served; the module packages were measured
# first by a body-less request.
grep -v '" 200 \|" 206 ' "$work/access.log" > "$work/errors.log" &&
    fail "the package server refused requests: $(head -n 5 "$work/errors.log")"
for path in $(grep -o '"http://[^"]*"' "$work/site/www/install/widgets_config.dexo" | tr -d '"' | sed "s|^${nginx_url%/}||"); do
    grep -q "^GET $path " "$work/access.log" || fail "$path was never fetched"
done
for name in main starter browser wallpaper rainmeter tivalabrowser weather clock; do
    grep -q "^HEAD /install/packages/$(demo_package_file "$name") " "$work/access.log" ||
        fail "the size of $name was never asked for"
done

# The reports: the installation's, one per optional module (ids 3 to 6), and the
# channel report of the package "engine-run" at the version of Main.
python3 - "$work/reports/reports.jsonl" <<'PY' || fail "the reports are not the installation's"
import json, sys
reports = [json.loads(line) for line in open(sys.argv[1], encoding="utf-8")]
seen = sorted((r["host"], r["path"], json.dumps(r["body"], sort_keys=True)) for r in reports)
module = lambda n: json.dumps({"installType": 0, "moduleId": n}, sort_keys=True)
expected = [("report.tivala.com", "/collect/install", module(n)) for n in (0, 3, 4, 5, 6)]
channel = [r["body"] for r in reports if r["path"] == "/channel/save"]
ok = ([s for s in seen if s[1] == "/collect/install"] == sorted(expected) and len(channel) == 1
      and channel[0]["packName"] == "engine-run" and channel[0]["version"] == "2.0.5.2"
      and channel[0]["type"] == 1 and len(reports) == 6)
if not ok:
    print("\n".join(map(str, seen)), file=sys.stderr)
sys.exit(0 if ok else 1)
PY

(( failures == 0 )) || exit 1
echo "demo_test: the demo installed whole"
