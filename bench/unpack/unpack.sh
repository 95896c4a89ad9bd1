#!/usr/bin/env bash
# Benchmark: unpacks a 200 MB 7z package through the engine (bench_unpack:
# ExtractArchiveFile with a Tivala7z sink, under Wine) and with 7zz x on the host,
# checks that both give the same tree, and prints both times and their ratio.
#
#   TIVALA_CACHE=... TIVALA_BUILD=... bench/unpack/unpack.sh [WORK_DIR]
#
# SMALL_FILES (default 300) sets how many small random files the package holds,
# 50 to a folder. Each file costs the engine about a millisecond more than 7zz:
# Wine creates a file by reading its whole folder for a name that differs only in
# case, which host programs never do.
#
# The package is made once per SMALL_FILES in WORK_DIR (default
# /tmp/tivala-bench-unpack) and reused by later runs; the unpacked trees are
# removed after each run.
# shellcheck source=../common/prologue.sh
. "$(dirname "$0")/../common/prologue.sh"
work=${1:-/tmp/tivala-bench-unpack}
program=$build/bench/unpack/bench_unpack.exe

bench_require "$program"
mkdir -p "$work"
small_files=${SMALL_FILES:-300}
package=$work/package-$small_files.7z

# Content: incompressible random files (a few large, many small), text that
# compresses well, and executables, which 7zz filters with BCJ.
make_content() {
    local content=$work/content
    rm -rf "$content"
    bench_large "$content/random" 6
    bench_small "$content/random" "$small_files"
    bench_text "$content/text" 12 80
    bench_programs "$content/programs" 120
    echo "content: $(du -sh "$content" | cut -f1)"
    (cd "$content" && 7zz a -bd -bso0 "$package.part" -- *)
    mv "$package.part" "$package"
    rm -rf "$content"
}

[[ -f $package ]] || make_content
echo "package: $(du -h "$package" | cut -f1) ($(7zz l "$package" | tail -1 | awk '{print $(NF-3), $(NF-2), $(NF-1), $NF}'))"

rm -rf "$work/host" "$work/engine"
start=$(date +%s.%N)
7zz x -bd -bso0 -y "-o$work/host" "$package"
end=$(date +%s.%N)
host=$(echo "$end - $start" | bc -l)

output=$("$root/tools/wine-run" "$program" "$(winpath "$package")" "$(winpath "$work/engine")" 2>&1 | grep -ao 'bench_unpack: .*' || true)
echo "$output"
engine=$(sed -n 's/.* in \([0-9.]*\) s;.*/\1/p' <<< "$output")
[[ -n $engine && $output == *unpacked* ]] || { echo "unpack.sh: the engine failed" >&2; exit 1; }

if ! diff -r -q "$work/host" "$work/engine" > "$work/diff.txt"; then
    echo "unpack.sh: the trees differ:" >&2; head "$work/diff.txt" >&2; exit 1
fi
rm -rf "$work/host" "$work/engine"

printf '7zz x (host):          %7.3f s\n' "$host"
printf 'engine (Wine):         %7.3f s\n' "$engine"
printf 'ratio engine / 7zz:    %7.2f\n' "$(echo "$engine / $host" | bc -l)"
