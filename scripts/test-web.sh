#!/usr/bin/env bash
# The web stage of the tests: builds the site (scripts/build-web.sh), then
# checks that kelvo-render built to WebAssembly and run by Node gives the
# native build's outputs byte for byte (tests/web/same_as_native.sh), and
# drives every edition's page in headless Chromium (tests/web/pages.test.mjs).
#
#   scripts/test-web.sh [NATIVE_BUILD]     (default build, configured if new)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native=${1:-$root/build}

bash "$root/scripts/install-deps.sh" chromium fonts-dejavu-core
command -v npm >/dev/null || bash "$root/scripts/install-deps.sh" npm
bash "$root/scripts/build-web.sh"

echo "== The native kelvo-render in $native (web stage at ${SECONDS} s)"
if [[ ! -f $native/CMakeCache.txt ]]; then
  bash "$root/scripts/install-deps.sh"
  cmake -S "$root" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$native" --target kelvo-render sample_models >/dev/null

echo "== kelvo-render as WebAssembly against the native build (${SECONDS} s)"
bash "$root/tests/web/same_as_native.sh" "$native" "$root/build-web"

echo "== The pages in headless Chromium (${SECONDS} s)"
(cd "$root/tests/web" && npm ci --no-audit --no-fund --loglevel=error)
KELVO_SITE="$root/dist/web" KELVO_RENDER_JS="$root/build-web/bin/kelvo-render.js" \
  node --test --test-concurrency=1 --test-reporter=tap "$root/tests/web/pages.test.mjs"
echo "== Web stage done in ${SECONDS} s"
