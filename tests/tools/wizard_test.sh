#!/usr/bin/env bash
# The whole road through the wizard, driven like a user: tools/run on a virtual
# display clicks through every page against the demo product, and then
#   - each page left a screenshot;
#   - the installer registered an installation whose folders hold the product;
#   - the finish button started the product's starter;
#   - the report server heard the install report of the main module and the
#     channel report, in that order.
#
#   tests/tools/wizard_test.sh BUILD_FOLDER
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
export TIVALA_BUILD=$1

work=$(mktemp -d "${TMPDIR:-/tmp}/wizard-test.XXXXXX")
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

# tools/run ends every process it started before it returns.
"$root/tools/run" --xvfb --no-build "$work/run" > "$work/run.log" 2>&1 || fail "tools/run exited with $?"
cat "$work/run.log"
field() { sed -n "s/^  $1: *//p" "$work/run.log" | head -n 1; }

for page in 0-splash 1-modules 1-modules-chosen 1-install-folder 2-resource-folder 3-installing 4-complete; do
    [[ -s $work/run/screenshots/$page.png ]] || fail "no screenshot of the page $page"
done

install_dir=$(field "installed files")
[[ -d $install_dir ]] || fail "no registered installation folder ($install_dir)"
for file in Main/tivalaservice.exe Starter.exe uninstall.exe; do
    [[ -f $install_dir/$file ]] || fail "the installation lacks $file"
done
[[ -s $install_dir/Starter.exe.runs ]] || fail "the finish button did not start the product"

reports=$work/run/reports/reports.jsonl
[[ -f $reports ]] || fail "no reports were heard"
install_line=$(grep -n '"/collect/install".*"moduleId": 0' "$reports" | head -n 1 | cut -d: -f1 || true)
channel_line=$(grep -n '"/channel/save"' "$reports" | head -n 1 | cut -d: -f1 || true)
[[ -n $install_line ]] || fail "no install report of the main module"
[[ -n $channel_line ]] || fail "no channel report"
[[ -n $install_line && -n $channel_line && $install_line -lt $channel_line ]] || fail "the channel report came before the install report"

if (( failures )); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "the wizard installed the demo product and started it"
