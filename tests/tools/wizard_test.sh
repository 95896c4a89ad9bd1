#!/usr/bin/env bash
# The whole road through the wizard, driven like a user: tools/run on a virtual
# display clicks through every page against the demo product, each click once
# its page is on screen, with the packages served slowly enough to see the
# installation under way. The first optional module is ticked, the second ticked
# and unticked again, and autostart unticked. Then
#   - the splash lasted at least four seconds from its first frame to the module
#     page;
#   - each page's screenshot shows that page: the install page with a slide and
#     its progress bar part-way, the completion page with its version line;
#   - the installer registered an installation whose folders hold the product
#     and the ticked module, not the unticked ones, and no autostart value;
#   - the finish button started the product's starter;
#   - the report server heard the install reports of the main module and of the
#     ticked module alone, then the channel report with the manifest's version.
#
#   tests/tools/wizard_test.sh BUILD_FOLDER [KEEP_FOLDER]
#
# With KEEP_FOLDER (a new folder), the run stays there to be looked at.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
export TIVALA_BUILD=$1
# shellcheck source=../../tools/run
. "$root/tools/run"

if [[ -n ${2:-} ]]; then
    mkdir "$2"
    work=$(cd "$2" && pwd)
else
    work=$(mktemp -d "${TMPDIR:-/tmp}/wizard-test.XXXXXX")
    trap 'rm -rf "$work"' EXIT
fi

failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

# About a megabyte of packages at this rate keeps the install page up for
# several seconds.
nginx_server_extra="        location /install/packages/ { limit_rate 128k; }"
# In the background, so that the run keeps its own stop at the first error.
run_main --xvfb --no-build "$work/run" > "$work/run.log" 2>&1 &
wait $! || fail "tools/run exited with $?"
cat "$work/run.log"
field() { sed -n "s/^  $1: *//p" "$work/run.log" | head -n 1; }
folder=$work/run
shots=$folder/screenshots

splash=$(sed -n 's/^wizard: the splash lasted \([0-9.]*\) s.*/\1/p' "$work/run.log")
echo "the splash lasted ${splash:-?} s from its first frame to the module page"
[[ -n $splash ]] && awk -v s="$splash" 'BEGIN { exit !(s >= 4) }' || fail "the splash lasted ${splash:-?} s, not 4"

declare -A pages=([0-splash]=splash [1-modules]=modules [1-install-folder]=install_folder
    [2-resource-folder]=resource_folder [3-installing]=installing_midway [4-complete]=complete)
for page in "${!pages[@]}" 1-modules-chosen; do
    wizard_grab_file=$shots/$page.png
    if [[ ! -s $wizard_grab_file ]]; then
        fail "no screenshot of the page $page"
    elif [[ -n ${pages[$page]:-} ]] && ! "wizard_page_${pages[$page]}"; then
        fail "the screenshot $page does not show its page"
    fi
done
wizard_grab_file=$shots/3-installing.png
[[ -s $wizard_grab_file ]] && echo "the install page's screenshot shows the progress at $(wizard_progress) %"
wizard_grab_file=$shots/1-modules-chosen.png
if [[ -s $wizard_grab_file ]]; then
    for box in module_check_0:ticked module_check_1:unticked check_first_boot:unticked; do
        wizard_box_is "${box%:*}" "${box#*:}" || fail "the chosen modules' screenshot shows ${box%:*} not ${box#*:}"
    done
fi

# The optional modules as the list shows them, ordered by id: the first ticked.
manifest=$folder/site/www/install/widgets_config.dexo
mapfile -t optional < <(python3 - "$manifest" <<'PY'
import json, sys
modules = [m for m in json.load(open(sys.argv[1], encoding="utf-8")) if str(m.get("isForceDownLoad", "0")) != "1"]
for m in sorted(modules, key=lambda m: int(m["id"])):
    print(m["id"], m["appPath"])
PY
)
version=$(python3 -c 'import json, sys
print(next(m["widgetver"] for m in json.load(open(sys.argv[1], encoding="utf-8")) if m["appPath"] == "Main"))' "$manifest")

install_dir=$(field "installed files")
[[ -d $install_dir ]] || fail "no registered installation folder ($install_dir)"
for file in Main/tivalaservice.exe Starter.exe uninstall.exe; do
    [[ -f $install_dir/$file ]] || fail "the installation lacks $file"
done
[[ -s $install_dir/Starter.exe.runs ]] || fail "the finish button did not start the product"
[[ $(field autostart) == none ]] || fail "the unticked autostart left the value $(field autostart)"

reports=$folder/reports/reports.jsonl
[[ -f $reports ]] || fail "no reports were heard"
reported() { grep -q "\"/collect/install\".*\"moduleId\": $1}" "$reports" 2> /dev/null; }
for index in "${!optional[@]}"; do
    read -r id app <<< "${optional[$index]}"
    if (( index == 0 )); then
        [[ -d $install_dir/$app ]] || fail "the ticked module $app was not installed"
        reported "$id" || fail "the ticked module $app ($id) was not reported"
    else
        [[ -e $install_dir/$app ]] && fail "the unticked module $app was installed"
        reported "$id" && fail "the unticked module $app ($id) was reported"
    fi
done
install_line=$(grep -n '"/collect/install".*"moduleId": 0' "$reports" | head -n 1 | cut -d: -f1 || true)
channel_line=$(grep -n '"/channel/save"' "$reports" | head -n 1 | cut -d: -f1 || true)
[[ -n $install_line ]] || fail "no install report of the main module"
[[ -n $channel_line ]] || fail "no channel report"
[[ -n $install_line && -n $channel_line && $install_line -lt $channel_line ]] || fail "the channel report came before the install report"
grep -q "\"/channel/save\".*\"version\": \"$version\"" "$reports" || fail "the channel report does not name the version $version"

if (( failures )); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "the wizard installed the demo product with the modules chosen and started it"
