#!/usr/bin/env bash
# Builds the libFuzzer targets (build-fuzz/, clang 14, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for SECONDS (default 60), starting
# from the committed corpus of fuzz/corpus/. libFuzzer works on a copy, so
# the inputs it finds stay out of the repository. Any finding ends the script
# with libFuzzer's non-zero status; the input that caused it is kept in
# build-fuzz/findings/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
targets=(fuzz_number fuzz_loader fuzz_frames)

CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$root/build-fuzz" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVO_FUZZ=ON -DKELVO_WERROR=ON \
  -DKELVO_BENCH=OFF -DKELVO_GUI_TESTS=OFF >/dev/null
cmake --build "$root/build-fuzz" -j 2 --target "${targets[@]}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
findings="$root/build-fuzz/findings"
mkdir -p "$findings"

for target in "${targets[@]}"; do
  echo "== $target: ${seconds} s"
  mkdir -p "$work/$target"
  cp -R "$root/fuzz/corpus/$target/." "$work/$target/"
  log="$work/$target.log"
  status=0
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$root/build-fuzz/bin/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -timeout=25 -rss_limit_mb=2048 -artifact_prefix="$findings/$target-" \
    "$work/$target" >"$log" 2>&1 || status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  echo "$target: ${executions:-?} executions in ${seconds} s"
  if ((status != 0)); then
    tail -n 60 "$log"
    echo "$target: finding (exit status $status); inputs in $findings" >&2
    exit "$status"
  fi
done
