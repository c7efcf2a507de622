#!/usr/bin/env bash
# Runs the benchmarks behind the README's performance table once, on the
# sample tori, and prints the figures with the ratios they are read for:
# whole frames against Mesa's llvmpipe and Cairo drawing the same triangles,
# the depth sort against std::sort of its keys, and two threads against one.
# Every figure is the median of three repetitions of one run, so that the
# ratios come from one machine state.
#
#   scripts/performance.sh [--build DIR]

set -euo pipefail
build="$(cd "$(dirname "$0")/.." && pwd)/build"
if [[ ${1:-} == --build ]]; then build=$2; fi
bench="$build/bin/kelvo_bench"

out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$bench" --benchmark_filter='HeadlessFrame.*19000|Peer.*19000|BM_Draw.*19000|DepthSort.*19000|StdSort.*19000' \
  --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
  --benchmark_min_time=0.5 2>/dev/null | grep '_median' >"$out"

# Median wall time in microseconds of the benchmark whose name starts so.
time_of() {
  awk -v name="$1" 'index($1, name) == 1 { print $2; exit }' "$out"
}
# 19000 triangles per frame or call, in millions per second.
mtps() { awk -v t="$(time_of "$1")" 'BEGIN { printf "%.1f", 19000 / t }'; }
ratio() { awk -v a="$(time_of "$1")" -v b="$(time_of "$2")" 'BEGIN { printf "%.2f", b / a }'; }

frame=headless_frame/BM_HeadlessFrame/triangles:19000/threads:2
wired=headless_frame/BM_HeadlessFrameWired/triangles:19000/threads:2
textured=headless_frame/BM_HeadlessFrameTextured/triangles:19000/threads:2
llvmpipe=BM_PeerLlvmpipeFilled/19000
llvmpipe_lines=BM_PeerLlvmpipeLines/19000
cairo=BM_PeerCairoFilled/19000

echo "Triangles per second at 19000 triangles (millions), and ratios"
echo "  frame, defaults:          $(mtps $frame)  vs llvmpipe filled $(mtps $llvmpipe): $(ratio $frame $llvmpipe)x, vs Cairo $(mtps $cairo): $(ratio $frame $cairo)x"
echo "  frame, Wired only:        $(mtps $wired)  vs llvmpipe lines $(mtps $llvmpipe_lines): $(ratio $wired $llvmpipe_lines)x"
echo "  frame, Textured:          $(mtps $textured)"
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
