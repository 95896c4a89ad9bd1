#!/usr/bin/env bash
# The wizard's two retries against the real servers, driven like a user: tools/run
# on a virtual display installs the demo twice, each time with one failure that
# a retry can cure, and answers the wizard's question with its retry button.
#
#   download   the wallpaper package comes slowly and the package server stops
#              while it arrives. Once the question shows, the server starts
#              again on its port and the retry is clicked: the package's rest is
#              asked for as a range and answered 206, the packages that had come
#              whole are not asked for again.
#   unpack     a plain file stands where the wallpaper package puts its folder in
#              the installation folder. Once the question shows, the file goes
#              and the retry is clicked: no package is asked for again.
#
# Both times the question is screenshot, the completion page comes and the
# installation holds the product, the wallpaper's files as the package has them.
#
#   tests/tools/wizard_retry_test.sh BUILD_FOLDER [KEEP_FOLDER]
#
# With KEEP_FOLDER (a new folder), the two runs stay there to be looked at.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
export TIVALA_BUILD=$1
# shellcheck source=../../tools/run
. "$root/tools/run"

if [[ -n ${2:-} ]]; then
    mkdir "$2"
    work=$(cd "$2" && pwd)
else
    work=$(mktemp -d "${TMPDIR:-/tmp}/wizard-retry-test.XXXXXX")
    trap 'rm -rf "$work"' EXIT
fi

failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

wallpaper=/install/packages/wallpaper.zip

# What a run's steps leave in its folder for the checks:
#   retry-requests   how many requests the access log held when retry was clicked
#   retry-partial    the size of the wallpaper's partial file at the question
#   retry-obstacle   written when the obstacle still stood at the question

retry_box=
retry_box_shown() {
    retry_box=$(wizard_msgbox)
    [[ -n $retry_box ]]
}
retry_box_gone() {
    [[ -z $(wizard_msgbox) ]]
}
# A window is mapped before it is drawn: the box's picture has its text once it
# holds more than its background's few colours.
retry_box_drawn() {   # retry_box_drawn FILE
    import -window "$retry_box" "$1" 2> /dev/null &&
        (( $(convert "$1" -format %k info: 2> /dev/null || echo 0) > 8 ))
}

# Waits for the question and screenshots it as SHOT.
retry_question() {   # retry_question SHOT
    wizard_wait 600 retry_box_shown || { echo "retry: the question never came" >&2; return 1; }
    wizard_wait 60 retry_box_drawn "$wizard_shots/$1.png" || { echo "retry: the question was not drawn" >&2; return 1; }
    echo "wizard: question $1" >&2
}

retry_answer() {
    wc -l < "$run_folder/site-access.log" > "$run_folder/retry-requests"
    wizard_msgbox_click "$retry_box" page_okcancle_btn_ok
    wizard_wait 60 retry_box_gone || { echo "retry: the question stayed after the click" >&2; return 1; }
}

retry_partial() {
    find "$run_user_dir" -name 'Wal*.tmp.temp' -print -quit 2> /dev/null
}
# The engine buffers a megabyte before it writes, so the partial file shows when
# the package's transfer began but not how far it is: the server's side of the
# connection tells.
retry_bytes_served() {
    local port=${nginx_url%/}
    ss -tinH state established "( sport = :${port##*:} )" 2> /dev/null |
        grep -o 'bytes_acked:[0-9]*' | awk -F: '{ total += $2 } END { print total + 0 }'
}
retry_wallpaper_arriving() {
    [[ -n $(retry_partial) ]] && (( $(retry_bytes_served) > 24000 ))
}

download_installing() {
    wizard_wait 600 retry_wallpaper_arriving || { echo "retry: the wallpaper package never came" >&2; return 1; }
    wizard_shot 3-downloading
    nginx_halt
    retry_question 3-download-question || return 1
    stat -c %s "$(retry_partial)" > "$run_folder/retry-partial"
    nginx_resume || return 1
    retry_answer || return 1
    wizard_until_installed
}

obstacle() {
    echo "$run_user_dir/AppData/Roaming/Tivala/WallPaper"
}

unpack_before_installer() {
    # The wizard's default installation folder, which it creates when missing.
    mkdir -p "$(dirname "$(obstacle)")"
    echo "in the way" > "$(obstacle)"
}

unpack_installing() {
    retry_question 3-unpack-question || return 1
    [[ -f $(obstacle) ]] && echo "in the way" > "$run_folder/retry-obstacle"
    rm -f "$(obstacle)"
    retry_answer || return 1
    wizard_until_installed
}

# Runs tools/run's whole road in FOLDER with the steps in place.
run_scenario() {   # run_scenario NAME
    local folder=$work/$1
    # In the background, so that the run keeps its own stop at the first error.
    run_main --xvfb --no-build "$folder" > "$work/$1.log" 2>&1 &
    wait $! || fail "$1: tools/run exited with $?"
    cat "$work/$1.log"
}

# The module packages of the manifest: those the engine keeps whole across a retry.
module_packages() {   # module_packages FOLDER
    grep -o '"\(downLoadUrl\|browserUrl\|launchUrl\)":"[^"]*"' "$1/site/www/install/widgets_config.dexo" |
        sed 's|^"[^"]*":"[a-z]*://[^/]*||; s|"$||'
}

# The access log's GETs (path, range, status, bytes) before or after retry was clicked.
requests() {   # requests FOLDER before|after
    local mark
    mark=$(cat "$1/retry-requests" 2> /dev/null || echo 0)
    if [[ $2 == before ]]; then
        head -n "$mark" "$1/site-access.log"
    else
        tail -n "+$((mark + 1))" "$1/site-access.log"
    fi | awk '$1 == "GET" { print $2, $4, $5, $6 }'
}

# The packages fetched whole (status 200, every byte) before retry was clicked.
whole_before() {   # whole_before FOLDER
    local path status bytes
    while read -r path _ status bytes; do
        [[ $status == 200 && -f $1/site/www$path && $bytes -eq $(stat -c %s "$1/site/www$path") ]] && echo "$path"
    done < <(requests "$1" before)
    return 0
}

check_installed() {   # check_installed NAME
    local folder=$work/$1 install_dir
    [[ -s $folder/screenshots/4-complete.png ]] || fail "$1: no screenshot of the completion page"
    install_dir=$(sed -n 's/^  installed files: *//p' "$work/$1.log" | head -n 1)
    [[ -d $install_dir ]] || { fail "$1: no registered installation folder ($install_dir)"; return; }
    for file in Main/tivalaservice.exe Starter.exe uninstall.exe unist.exe Rainmeter/readme.txt; do
        [[ -f $install_dir/$file ]] || fail "$1: the installation lacks $file"
    done
    while read -r file; do
        cmp -s "$folder/site/content/wallpaper/$file" "$install_dir/$file" || fail "$1: $file is not the package's"
    done < <(cd "$folder/site/content/wallpaper" && find . -type f -printf '%P\n')
}

# 1. A download cut half-way.
nginx_server_extra="        location = $wallpaper { limit_rate 8k; }"
wizard_installing() { download_installing; }
run_scenario download
nginx_server_extra=
folder=$work/download
[[ -s $folder/screenshots/3-download-question.png ]] || fail "download: no screenshot of the question"
check_installed download
size=$(stat -c %s "$folder/site/www$wallpaper")
partial=$(cat "$folder/retry-partial" 2> /dev/null || echo 0)
(( partial > 0 && partial < size )) || fail "download: the partial file held $partial of $size bytes at the question"
whole=$(whole_before "$folder" | grep -Fx -f <(module_packages "$folder") || true)
grep -qx "$wallpaper" <<< "$whole" && fail "download: the wallpaper package came whole before the server stopped"
[[ -n $whole ]] || fail "download: no package came whole before the server stopped"
after=$(requests "$folder" after)
resumed=$(grep "^$wallpaper " <<< "$after" || true)
[[ $resumed == "$wallpaper \"bytes=$partial-\" 206 $((size - partial))" ]] ||
    fail "download: the retry fetched the wallpaper package as '$resumed', not its last $((size - partial)) bytes"
for path in $whole; do
    grep -q "^$path " <<< "$after" && fail "download: the retry fetched $path again"
done

# 2. A package that cannot be unpacked.
run_before_installer() { unpack_before_installer; }
wizard_installing() { unpack_installing; }
run_scenario unpack
folder=$work/unpack
[[ -s $folder/screenshots/3-unpack-question.png ]] || fail "unpack: no screenshot of the question"
[[ -f $folder/retry-obstacle ]] || fail "unpack: the question came without the obstacle in place"
check_installed unpack
whole=$(whole_before "$folder")
grep -qx "$wallpaper" <<< "$whole" || fail "unpack: the wallpaper package had not come whole before the question"
after=$(requests "$folder" after)
for path in $(module_packages "$folder"); do
    grep -q "^$path " <<< "$after" && fail "unpack: the retry fetched $path again"
done

if (( failures )); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "the wizard retried a cut download and a failed unpacking, and installed the demo both times"
