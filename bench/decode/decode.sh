#!/usr/bin/env bash
# Benchmark: decodes a wizard-sized animation strip (a 39,100 x 420 PNG: 115
# frames of 340 x 420 side by side) with each image-decoder module in the 32-bit
# process under Wine (bench_decode: LoadFromMemory, then CopyPixels of the whole
# frame, as a bitmap loads it), and with ImageMagick's native convert on the host.
# Prints each module's best time of three rounds and its peak working set, and
# checks the goals: the GDI+ module under 1 s and 150 MB, the fastest module within
# 1.5 x ImageMagick's time.
#
#   TIVALA_CACHE=... TIVALA_BUILD=... bench/decode/decode.sh [WORK_DIR]
#
# The strip is made once in WORK_DIR (default /tmp/tivala-bench-decode) and reused.
# Peak working sets under Wine include Wine's own (printed as "before").
# shellcheck source=../common/prologue.sh
. "$(dirname "$0")/../common/prologue.sh"
work=${1:-/tmp/tivala-bench-decode}
program=$build/bench/decode/bench_decode.exe
modules=(imgdecoder-gdip imgdecoder-wic imgdecoder-stb imgdecoder-png)

bench_require "$program"
mkdir -p "$work/policy"
strip=$work/strip.png

# Debian's ImageMagick policy refuses images wider than 16K pixels.
cat > "$work/policy/policy.xml" <<'XML'
<policymap>
  <policy domain="resource" name="width" value="64KP"/>
  <policy domain="resource" name="area" value="1GP"/>
  <policy domain="resource" name="memory" value="2GiB"/>
  <policy domain="resource" name="map" value="4GiB"/>
</policymap>
XML
export MAGICK_CONFIGURE_PATH=$work/policy

# One frame of soft noise under a radial alpha, turned a little further in each of
# the 115 frames: partly transparent pixels throughout, as a splash animation has.
if [[ ! -f $strip ]]; then
    /usr/bin/convert -seed 7 -size 340x420 plasma:fractal -blur 0x2 \
        \( -size 340x420 radial-gradient:white-black \) -alpha off -compose CopyOpacity -composite "$work/frame.png"
    /usr/bin/convert "$work/frame.png" -duplicate 114 -virtual-pixel transparent \
        -distort SRT '%[fx:t*360/115]' +append +repage "PNG32:$strip.part"
    mv "$strip.part" "$strip"
fi
size=$(/usr/bin/identify -format '%wx%h' "$strip")
[[ $size == 39100x420 ]] || { echo "decode.sh: the strip is $size" >&2; exit 1; }
echo "strip: $size, $(du -h "$strip" | cut -f1)"

# ImageMagick decodes into its pixel cache and writes nothing; best of three,
# process start included.
magick_best=
magick_rss=0
for _ in 1 2 3; do
    start=$(date +%s.%N)
    rss=$( { /usr/bin/time -f '%M' /usr/bin/convert "$strip" null: ; } 2>&1 | tail -1)
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc -l)
    if [[ -z $magick_best ]] || (( $(echo "$t < $magick_best" | bc -l) )); then magick_best=$t; fi
    (( rss > magick_rss )) && magick_rss=$rss
done

declare -A best decoded peak hash
fastest=
for module in "${modules[@]}"; do
    line=$("$root/tools/wine-run" "$program" "$(winpath "$strip")" "$module" 3 2>&1 | grep -ao "bench_decode: $module [0-9]*x.*" || true)
    [[ -n $line ]] || { echo "decode.sh: $module failed" >&2; exit 1; }
    echo "$line"
    best[$module]=$(sed -n 's/.* best \([0-9.]*\) s.*/\1/p' <<< "$line")
    decoded[$module]=$(sed -n 's/.*, \([0-9.]*\) MB decoded.*/\1/p' <<< "$line")
    peak[$module]=$(sed -n 's/.*, \([0-9.]*\) MB copied.*/\1/p' <<< "$line")
    hash[$module]=$(sed -n 's/.* hash \([0-9a-f]*\).*/\1/p' <<< "$line")
    if [[ -z $fastest ]] || (( $(echo "${best[$module]} < ${best[$fastest]}" | bc -l) )); then fastest=$module; fi
done

echo
# Peak working sets: after the decode alone, and with the pixels copied out as
# into a bitmap.
printf '%-22s %9s %12s %12s %10s\n' decoder "best (s)" "decoded (MB)" "copied (MB)" "pixels"
for module in "${modules[@]}"; do
    printf '%-22s %9.3f %12.1f %12.1f %10s\n' "$module" "${best[$module]}" "${decoded[$module]}" "${peak[$module]}" \
        "${hash[$module]}"
done
printf '%-22s %9.3f %12.1f %12s %10s\n' "ImageMagick (native)" "$magick_best" "$(echo "$magick_rss / 1024" | bc -l)" "-" "-"
echo
verdict() { if (( $(echo "$1" | bc -l) )); then echo met; else echo missed; fi; }
echo "GDI+ under 1 s:                 $(verdict "${best[imgdecoder-gdip]} < 1")"
echo "GDI+ under 150 MB:              $(verdict "${decoded[imgdecoder-gdip]} < 150")"
ratio=$(echo "${best[$fastest]} / $magick_best" | bc -l)
printf 'fastest (%s) / ImageMagick: %.2f, within 1.5: %s\n' "$fastest" "$ratio" "$(verdict "$ratio <= 1.5")"
