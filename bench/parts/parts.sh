#!/usr/bin/env bash
# Builds the command-line programs of the engine's two parts for i686 Windows:
# curl.exe from Debian's curl source package with the options tools/setup gives
# the library the engine links, and 7-Zip's console program 7za.exe from Debian's
# 7zip source package with the make flags of the engine's 7-Zip library. Run
# under the same Wine as the engine, they show what libcurl and 7-Zip cost there
# by themselves, so that a benchmark can tell the engine's own time from theirs.
#
#   bench/parts/parts.sh      prints the folder that holds curl.exe and 7za.exe
#
# The programs are built once per source version, toolchain and build recipe
# into $TIVALA_CACHE/bench-parts-KEY (about 3 minutes on 8 cores); older builds
# there are removed. Needs what tools/setup installs (the MinGW toolchain and
# the deb-src entries).
# shellcheck source=../common/prologue.sh
. "$(dirname "$0")/../common/prologue.sh"
triple=i686-w64-mingw32
jobs=${JOBS:-$(nproc)}
setup=$root/tools/setup

# The library's recipe is tools/setup's own, so the program is the library's build
# with the tool added.
curl_recipe=$(sed -n '/^build_curl() {/,/^}/p' "$setup")
[[ -n $curl_recipe ]] || { echo "parts.sh: no build_curl in $setup" >&2; exit 1; }

versions() {
    local p
    for p in curl 7zip; do
        apt-cache showsrc --only-source "$p" | sed -n 's/^Version: //p' | sort -V | tail -1
    done
}
key=$({ cat "$0" "$root/cmake/mingw-i686.cmake"; echo "$curl_recipe"; versions
        dpkg-query -W -f='${Version}\n' g++-mingw-w64-i686-posix mingw-w64-i686-dev; } | sha256sum | cut -c1-16)
out=$cache/bench-parts-$key
if [[ -f $out/.complete ]]; then
    echo "$out"
    exit 0
fi

log() { echo "parts.sh: $*" >&2; }
rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d "${TMPDIR:-/tmp}/bench-parts.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
log "fetching the source packages of curl and 7zip"
apt-get source -q curl 7zip > fetch.log 2>&1 || { log "apt-get source failed (deb-src entries: tools/setup)"; tail -5 fetch.log >&2; exit 1; }

# tools/setup's build_curl, with the tool switched on and installed here.
prefix=$work/prefix
cmake_dep() {
    local src=$1 name=$2; shift 2
    cmake -S "$src" -B "build-$name" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DTIVALA_DEPS="$prefix" \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" -DBUILD_CURL_EXE=ON > "build-$name.log" 2>&1
    cmake --build "build-$name" -j "$jobs" --target curl >> "build-$name.log" 2>&1
}
eval "$curl_recipe"
log "building curl.exe"
build_curl || { log "building curl failed"; tail -20 build-curl.log >&2; exit 1; }
cp build-curl/src/curl.exe "$out/"

# The make line of tools/setup's build_7zip, for the console bundle instead of
# the format library.
log "building 7za.exe"
dir=(7zip-*/)
make -C "$dir/CPP/7zip/Bundles/Alone" -j "$jobs" -f ../../cmpl_gcc.mak IS_MINGW=1 MSYSTEM=1 DISABLE_RAR=1 \
    CROSS_COMPILE=$triple- CC=$triple-gcc-posix CXX=$triple-g++-posix RC=$triple-windres \
    > build-7za.log 2>&1 || { log "building 7za failed"; tail -20 build-7za.log >&2; exit 1; }
cp "$dir/CPP/7zip/Bundles/Alone/b/g/7za.exe" "$out/"

touch "$out/.complete"
find "$cache" -maxdepth 1 -name 'bench-parts-*' ! -name "bench-parts-$key" -exec rm -rf {} +
echo "$out"
