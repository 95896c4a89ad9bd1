#!/usr/bin/env bash
# Benchmark: one whole installation through the wizard, from the click on
# install to the completion page, against the same downloads and unpacking done
# in the same run by
#   host    Debian's curl and 7zz on the host;
#   parts   curl.exe and 7za.exe under the same Wine as the installer (built by
#           bench/parts/parts.sh from the sources of the installer's libraries),
#           shown both with and without their own start-up and exit.
#
# The product is tools/run's demo with about 200 MB more (bench/common/content.sh)
# in its two modules that are always installed: Main (7z) gets Alpha and Gamma,
# WallPaper (zip) gets Beta and Delta. Each run is a whole tools/run on a virtual
# display, the wizard driven through its pages as tools/wizard-drive.sh does.
# The clock starts when the click on install has been made and stops when the
# caption shows its close button again, which the installation hides until the
# completion page; polled every 0.1 s. The host and the parts then fetch, from the
# same nginx folder, every file that the wizard's installation fetched (the
# run's access log) and unpack every archive among them, one after the other.
# Checks that the host's trees of the two big modules equal the installed ones.
#
#   RUNS=3 bench/wizard/wizard.sh [WORK_DIR]
#
# The product is made once in WORK_DIR (default /tmp/tivala-bench-wizard) and
# reused by later runs; each run's folder is removed after it.
# shellcheck source=../common/prologue.sh
. "$(dirname "$0")/../common/prologue.sh"
# shellcheck source=../../tools/run
. "$root/tools/run"
work=${1:-/tmp/tivala-bench-wizard}
runs=${RUNS:-3}
stand_in=$build/tests/service_stand_in.exe

bench_require "$build/installer/installer.exe" "$stand_in"
[[ -f $cache/current.env ]] || { echo "wizard.sh: run tools/setup first" >&2; exit 2; }
bench_tools curl 7zz xdotool import
nginx_ensure || exit 2
parts=$("$root/bench/parts/parts.sh") || { echo "wizard.sh: the parts could not be built" >&2; exit 2; }
mkdir -p "$work"
product=$work/product

make_product() {
    rm -rf "$product" "$work/content"
    demo_make "$product" "$stand_in"
    bench_content "$work/content"
    mv "$work/content/Alpha" "$work/content/Gamma" "$product/content/main/Main/"
    mv "$work/content/Beta" "$work/content/Delta" "$product/content/wallpaper/WallPaper/"
    rm -rf "$work/content"
    local name
    for name in main wallpaper; do
        rm -f "$product/www/install/packages/$(demo_package_file "$name")"
        demo_pack "$product/content" "$product/www/install/packages" "$name"
    done
    touch "$product/made"
}
[[ -f $product/made ]] || make_product

# Each run's site is the product, linked; demo_manifest writes the run's own
# manifest into it.
run_make_site() {   # run_make_site SITE STAND_IN
    mkdir -p "$1"
    cp -al "$product/content" "$product/www" "$1/"
    rm -f "$1/www/install/widgets_config.dexo"
}

# Whether the caption shows its close button: its cross has bright pixels on
# the rows 11 and 18 of the window (between x 320 and 329). The installation
# hides it; in its place the minimise button shows a bar on row 15 alone.
close_shown() {
    import -window "$wizard_window" -crop 10x8+320+11 +repage -depth 8 txt:- 2> /dev/null |
        awk -F'[(),: ]+' '
            NR > 1 && $3 + $4 + $5 > 450 { top += ($2 == 0); bottom += ($2 == 7) }
            END { exit !(top >= 2 && bottom >= 2) }'
}

# From the click on install: the close button goes, and comes back with the
# completion page.
wizard_installing() {
    local start limit
    start=$(now)
    limit=$((SECONDS + 10))
    while close_shown; do
        wizard_alive && (( SECONDS < limit )) || { echo "wizard.sh: the install page never came" >&2; return 1; }
        sleep 0.05
    done
    limit=$((SECONDS + 1800))
    until close_shown; do
        wizard_alive && (( SECONDS < limit )) || { echo "wizard.sh: the completion page never came" >&2; return 1; }
        sleep 0.1
    done
    since "$start" > "$run_folder/wizard-seconds"
    wizard_shot 3-installing-ended
    wizard_wait 60 wizard_installed
}

# Every file the run's installation fetched, as paths on the server; the
# manifest first.
fetched_paths() {   # fetched_paths ACCESS_LOG
    echo /install/widgets_config.dexo
    awk '$1 == "GET" && ($5 == 200 || $5 == 206) { print $2 }' "$1" | grep '^/install/' | grep -v 'widgets_config' | sort -u
}

# Each of `paths` fetched from BASE into OUT/downloads with FETCH FILE URL, one
# after the other, each archive among them unpacked into OUT/tree/NAME with
# UNPACK FOLDER ARCHIVE as soon as it is there; counts both in `fetches` and
# `unpackings`.
fetch_and_unpack() {   # fetch_and_unpack BASE OUT FETCH UNPACK
    local base=$1 out=$2 fetch=$3 unpack=$4 path file
    rm -rf "$out" && mkdir -p "$out/downloads" "$out/tree"
    fetches=0
    unpackings=0
    for path in "${paths[@]}"; do
        file=$out/downloads/${path##*/}
        "$fetch" "$file" "$base${path#/}" || { echo "wizard.sh: $fetch failed on $path" >&2; exit 1; }
        fetches=$((fetches + 1))
        case $file in
            *.7z | *.zip | *.cab)
                "$unpack" "$out/tree/$(basename "${file%.*}")" "$file" ||
                    { echo "wizard.sh: $unpack failed on $path" >&2; exit 1; }
                unpackings=$((unpackings + 1)) ;;
        esac
    done
}

# The host: Debian's curl and 7zz.
host_fetch() { curl -sf -o "$1" "$2"; }
host_unpack() { 7zz x -bd -bso0 -y "-o$1" "$2"; }
# The parts under Wine: curl.exe and 7za.exe, one program per step.
parts_fetch() { wine "$parts/curl.exe" -sf -o "$(winpath "$1")" "$2" > /dev/null 2>&1 < /dev/null; }
parts_unpack() { wine "$parts/7za.exe" x -bd -bso0 -y "-o$(winpath "$1")" "$(winpath "$2")" > /dev/null 2>&1 < /dev/null; }

host_run() {   # host_run BASE OUT
    local start
    start=$(now)
    fetch_and_unpack "$1" "$2" host_fetch host_unpack
    host_seconds=$(since "$start")
}

# Timed with and without the start-up and exit of each program run.
parts_run() {   # parts_run BASE OUT
    local start curl_start zip_start
    curl_start=$(startup_time "$parts/curl.exe" --version)
    zip_start=$(startup_time "$parts/7za.exe" i)
    start=$(now)
    fetch_and_unpack "$1" "$2" parts_fetch parts_unpack
    parts_wall=$(since "$start")
    parts_seconds=$(awk -v w="$parts_wall" -v f="$fetches" -v c="$curl_start" -v u="$unpackings" -v z="$zip_start" \
        'BEGIN { printf "%.3f", w - f * c - u * z }')
    parts_programs=$((fetches + unpackings))
}

# The installed trees of the two big modules are the host's.
check_trees() {   # check_trees RUN_FOLDER HOST_OUT
    local install_dir
    install_dir=$(find "$1/prefix/drive_c/users" -name unist.exe -printf '%h\n' -quit)
    [[ -n $install_dir ]] || { echo "wizard.sh: the run installed nothing" >&2; exit 1; }
    local module package
    for module in Main/Alpha Main/Gamma WallPaper/Beta WallPaper/Delta; do
        package=$(tr '[:upper:]' '[:lower:]' <<< "${module%%/*}")
        diff -r -q "$2/tree/$package/$module" "$install_dir/$module" > "$work/diff.txt" ||
            { echo "wizard.sh: $module differs from the host's:" >&2; head "$work/diff.txt" >&2; exit 1; }
    done
}

# shellcheck source=/dev/null
. "$cache/current.env"
session=0
cleanup() {
    set +e
    (( session )) && wine_session_stop
    nginx_stop
    rm -rf "$work"/run-* "$work/host" "$work/parts" "$work/diff.txt"
}
trap cleanup EXIT

total=$(cat "$product"/www/install/packages/* | wc -c)
echo "packages: $((total / 1024 / 1024)) MB in all; main $(du -h "$product/www/install/packages/main.7z" | cut -f1)," \
    "wallpaper $(du -h "$product/www/install/packages/wallpaper.zip" | cut -f1); $runs runs"

declare -a W H P PW
for run in $(seq "$runs"); do
    folder=$work/run-$run
    rm -rf "$folder"
    run_main --xvfb --no-build "$folder" > "$work/run.log" 2>&1 || true
    [[ -s $folder/wizard-seconds ]] || { echo "wizard.sh: run $run did not finish:" >&2; tail -n 15 "$work/run.log" >&2; exit 1; }
    wizard=$(cat "$folder/wizard-seconds")
    mapfile -t paths < <(fetched_paths "$folder/site-access.log")

    nginx_start "$folder/site/www" || exit 1
    host_run "$nginx_url" "$work/host"
    check_trees "$folder" "$work/host"
    wine_session_start || exit 1
    session=1
    parts_run "$nginx_url" "$work/parts"
    wine_session_stop
    session=0
    nginx_stop
    rm -rf "$folder" "$work/host" "$work/parts"

    W+=("$wizard"); H+=("$host_seconds"); P+=("$parts_seconds"); PW+=("$parts_wall")
    echo "run $run (${#paths[@]} files fetched):"
    printf '  wizard, click to completion page: %8.3f s\n' "$wizard"
    printf '  host curl + 7zz:                  %8.3f s   wizard / host  %s\n' "$host_seconds" "$(ratio "$wizard" "$host_seconds")"
    printf '  parts in process:                 %8.3f s   wizard / parts %s\n' "$parts_seconds" "$(ratio "$wizard" "$parts_seconds")"
    printf '  parts with Wine:                  %8.3f s   (%d programs)\n' "$parts_wall" "$parts_programs"
done

w=$(printf '%s\n' "${W[@]}" | median)
h=$(printf '%s\n' "${H[@]}" | median)
p=$(printf '%s\n' "${P[@]}" | median)
pw=$(printf '%s\n' "${PW[@]}" | median)
echo "medians of $runs runs:"
printf '  wizard %.3f s, host %.3f s, parts %.3f s (with Wine %.3f s)\n' "$w" "$h" "$p" "$pw"
printf '  wizard / host:  %s\n' "$(ratio "$w" "$h")"
printf '  wizard / parts: %s in process, %s with Wine\n' "$(ratio "$w" "$p")" "$(ratio "$w" "$pw")"
