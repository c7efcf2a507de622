#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit and
# integration tests in a normal build and again under AddressSanitizer and
# UndefinedBehaviorSanitizer, the GUI tests under Xvfb, and the renderers'
# two threads under ThreadSanitizer, then the fuzz targets for a minute each.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

bash "$root/scripts/install-deps.sh"

echo "== Normal build"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVO_WERROR=ON >/dev/null
cmake --build "$root/build" -j "$jobs"
ctest --test-dir "$root/build" -j "$jobs" --output-on-failure
bash "$root/scripts/test-package.sh" --build "$root/build"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELVO_SANITIZE=ON \
  -DKELVO_WERROR=ON -DKELVO_BENCH=OFF -DKELVO_GUI_TESTS=OFF >/dev/null
cmake --build "$root/build-asan" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-asan" -j "$jobs" --output-on-failure

echo "== Soak: every edition under a scripted user, then again under the sanitizers"
bash "$root/scripts/soak.sh" --frames 5000
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  bash "$root/scripts/soak.sh" --frames 500 --build "$root/build-asan" --no-memory-check

bash "$root/scripts/test-web.sh" "$root/build"  # the WebAssembly build and its pages

echo "== ThreadSanitizer build: the renderers' two threads"
cmake -S "$root" -B "$root/build-tsan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVO_TSAN=ON \
  -DKELVO_WERROR=ON -DKELVO_BENCH=OFF -DKELVO_GUI_TESTS=OFF >/dev/null
cmake --build "$root/build-tsan" -j "$jobs" --target editions_tests b3d_tests runtime_tests
TSAN_OPTIONS=halt_on_error=1 "$root/build-tsan/bin/runtime_tests" --gtest_filter='HelperThread.*'
TSAN_OPTIONS=halt_on_error=1 "$root/build-tsan/bin/editions_tests" --gtest_filter='TwoThreads.*'
TSAN_OPTIONS=halt_on_error=1 "$root/build-tsan/bin/b3d_tests" --gtest_filter='DepthSort.*:ShareOut.*'

bash "$root/scripts/test-windows.sh"

echo "== Fuzz targets (clang 14, libFuzzer), 60 s each"
bash "$root/scripts/fuzz.sh" 60
