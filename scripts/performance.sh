#!/usr/bin/env bash
# Runs the benchmarks behind the README's performance table and prints the
# figures with the ratios they are read for: whole frames at 19000 triangles
# against their targets and against Mesa's llvmpipe and Cairo drawing the same
# triangles, the depth sort against std::sort of its keys, and two threads
# against one.
#
# With --baseline DIR, a second build's kelvo_bench (of an earlier commit,
# with this commit's bench/ so that it has the same benchmarks) runs in turn
# with ours, repetition by repetition, and the frames are compared with it:
# the textured frame's gain, and the small models' frames, which must not be
# slower. Every figure is the median of the repetitions of one run, so that
# the ratios come from one machine state.
#
#   scripts/performance.sh [--build DIR] [--baseline DIR] [--repetitions N]

set -euo pipefail
build="$(cd "$(dirname "$0")/.." && pwd)/build"
baseline=""
repetitions=3
while [[ $# -gt 0 ]]; do
  case $1 in
    --build) build=$2; shift 2 ;;
    --baseline) baseline=$2; shift 2 ;;
    --repetitions) repetitions=$2; shift 2 ;;
    *) echo "usage: $0 [--build DIR] [--baseline DIR] [--repetitions N]" >&2; exit 2 ;;
  esac
done

filter='HeadlessFrame|Peer.*19000|BM_Draw.*19000|DepthSort.*19000|StdSort.*19000'
ours=$(mktemp)
theirs=$(mktemp)
trap 'rm -f "$ours" "$theirs"' EXIT
# One repetition of each build in turn, so that both see the same drift.
run() {
  "$1/bin/kelvo_bench" --benchmark_filter="$filter" --benchmark_min_time=0.3 2>/dev/null |
    awk '$2 ~ /^[0-9.]+$/ { print $1, $2 }'
}
for ((k = 0; k < repetitions; ++k)); do
  run "$build" >>"$ours"
  if [[ -n $baseline ]]; then run "$baseline" >>"$theirs"; fi
done

# Median wall time in microseconds of the benchmark whose name starts so.
time_in() {
  awk -v name="$2" 'index($1, name) == 1 { print $2 }' "$1" | sort -g |
    awk '{ t[++n] = $1 } END { if (n) print (n % 2) ? t[(n + 1) / 2] : (t[n / 2] + t[n / 2 + 1]) / 2 }'
}
time_of() { time_in "$ours" "$1"; }
# 19000 triangles per frame or call, in millions per second.
mtps() { awk -v t="$(time_of "$1")" 'BEGIN { printf "%.1f", 19000 / t }'; }
ratio() { awk -v a="$(time_of "$1")" -v b="$(time_of "$2")" 'BEGIN { printf "%.2f", b / a }'; }
# "met" or "NOT met" for value against a bound: at_most or at_least.
verdict() {
  awk -v v="$1" -v bound="$3" -v way="$2" 'BEGIN {
    ok = way == "at_most" ? v <= bound : v >= bound; print ok ? "met" : "NOT met" }'
}

frame=headless_frame/BM_HeadlessFrame/triangles:19000/threads:2
wired=headless_frame/BM_HeadlessFrameWired/triangles:19000/threads:2
textured=headless_frame/BM_HeadlessFrameTextured/triangles:19000/threads:2
llvmpipe=BM_PeerLlvmpipeFilled/19000
llvmpipe_lines=BM_PeerLlvmpipeLines/19000
cairo=BM_PeerCairoFilled/19000

echo "Targets: whole frames at 19000 triangles, two threads (median of $repetitions)"
t=$(time_of $frame); r=$(ratio $frame $llvmpipe)
echo "  defaults:  $t us, target <= 800 us: $(verdict "$t" at_most 800);" \
  "$(mtps $frame) M/s vs llvmpipe filled $(mtps $llvmpipe): ${r}x, target >= 4x: $(verdict "$r" at_least 4)"
t=$(time_of $wired); r=$(ratio $wired $llvmpipe_lines)
echo "  Wired:     $t us, target <= 600 us: $(verdict "$t" at_most 600);" \
  "$(mtps $wired) M/s vs llvmpipe lines $(mtps $llvmpipe_lines): ${r}x, target >= 15x: $(verdict "$r" at_least 15)"
echo "  Textured:  $(time_of $textured) us, $(mtps $textured) M/s"
echo "  defaults vs Cairo filled $(mtps $cairo) M/s: $(ratio $frame $cairo)x"
if [[ -n $baseline ]]; then
  echo "Against the baseline build (its time / ours)"
  for name in $textured $frame $wired; do
    b=$(time_in "$theirs" "$name"); o=$(time_of "$name")
    g=$(awk -v a="$o" -v b="$b" 'BEGIN { printf "%.2f", b / a }')
    line="  ${name#headless_frame/}: $b us -> $o us: ${g}x"
    if [[ $name == "$textured" ]]; then line+=", target >= 1.5x: $(verdict "$g" at_least 1.5)"; fi
    echo "$line"
  done
  echo "Small models, whole frames (target: no more than 5% slower, ratio >= 0.95)"
  for triangles in 12 760 1000; do
    for threads in 1 2; do
      name=headless_frame/BM_HeadlessFrame/triangles:$triangles/threads:$threads
      b=$(time_in "$theirs" "$name"); o=$(time_of "$name")
      g=$(awk -v a="$o" -v b="$b" 'BEGIN { printf "%.2f", b / a }')
      echo "  $triangles triangles, $threads thread(s): $b us -> $o us: ${g}x: $(verdict "$g" at_least 0.95)"
    done
  done
fi
echo "Depth sort against std::sort of the same 19000 keys (time of std::sort / depth sort)"
for keys in 0:torus 1:random 2:tied; do
  echo "  ${keys#*:} keys: $(time_of "sort_unsorted/BM_DepthSort/triangles:19000/keys:${keys%%:*}") us" \
    "vs $(time_of "BM_StdSortKeys/triangles:19000/keys:${keys%%:*}") us:" \
    "$(ratio "sort_unsorted/BM_DepthSort/triangles:19000/keys:${keys%%:*}" "BM_StdSortKeys/triangles:19000/keys:${keys%%:*}")x"
done
echo "Two threads against one (time of one / time of two)"
for stage in DrawFilled DrawFilledPolygons DrawTextured DrawWire; do
  echo "  $stage: $(time_of "BM_$stage/triangles:19000/threads:1") us vs" \
    "$(time_of "BM_$stage/triangles:19000/threads:2") us:" \
    "$(ratio "BM_$stage/triangles:19000/threads:2" "BM_$stage/triangles:19000/threads:1")x"
done
for kind in HeadlessFrame HeadlessFrameWired HeadlessFrameTextured; do
  echo "  $kind: $(ratio "headless_frame/BM_$kind/triangles:19000/threads:2" "headless_frame/BM_$kind/triangles:19000/threads:1")x"
done
