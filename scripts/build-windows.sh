#!/usr/bin/env bash
# Cross-builds the Windows programs on Debian with mingw-w64 into
# build-windows/ and packs dist/kelvo-windows-x86_64.zip: kelvo.exe ...
# kelvo10.exe, kelvo-render.exe, the sample models beside them, the
# textures and a README.txt. Installs what is missing first.
#
#   scripts/build-windows.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-windows"

# The cross compiler with posix threads (std::thread), zlib and stb for it,
# GoogleTest's sources, and Wine to run the tests (scripts/test-windows.sh).
packages=(cmake ninja-build g++-mingw-w64-x86-64-posix libz-mingw-w64-dev libstb-dev googletest
  wine wine64 fonts-wine)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# -O2 as the Linux build has it, without debugging information, which
# makes linking the static programs slow and the zip large.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DKELVO_WERROR=ON \
  -DKELVO_BENCH=OFF -DKELVO_GUI_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"

# The package: the programs without their debugging information.
stage="$build/package/kelvo-windows-x86_64"
rm -rf "$build/package"
mkdir -p "$stage/textures"
for program in kelvo kelvo2 kelvo3 kelvo4 kelvo5 kelvo6 kelvo7 kelvo8 kelvo9 kelvo10 kelvo-render; do
  x86_64-w64-mingw32-strip -o "$stage/$program.exe" "$build/bin/$program.exe"
done
cp "$root"/models/*.atl "$stage/"
cp "$root"/editions/textures/*.bmp "$stage/textures/"
sed 's/$/\r/' >"$stage/README.txt" <<'TEXT'
kelvo - a software 3D renderer, in ten editions, for Windows

Double-click kelvo8.exe: the model files (*.atl) of its folder are listed on
the right; click one and it spins. The check boxes switch the stages of the
pipeline on and off while it runs. kelvo.exe ... kelvo10.exe are the ten
editions of the renderer, each a program of its own; none needs anything
installed and none writes anything.

kelvo-render.exe runs any edition without a window and writes what it drew,
for example from a command prompt in this folder:

  kelvo-render --model torus.atl --frames 100 --snapshot Picture1=torus.png
  kelvo-render --help

textures\ holds the editions' textures as bitmaps; the programs carry their
own copies.
TEXT
mkdir -p "$root/dist"
zip="$root/dist/kelvo-windows-x86_64.zip"
rm -f "$zip"
(cd "$build/package" && cmake -E tar cf "$zip" --format=zip kelvo-windows-x86_64)
echo "Built $zip ($(du -k "$zip" | cut -f1) KB)"
