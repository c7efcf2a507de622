#!/usr/bin/env bash
# Builds the Debian package dist/kelvo_<version>_amd64.deb: the ten programs,
# kelvo-render and atl-import under /usr/lib/kelvo with the sample models,
# commands in /usr/bin, the menu entry, icons and manual pages.
#
#   scripts/package-deb.sh [--build DIR]    (default: build/, as run.sh uses)
#
# Installs what is missing, configures DIR if it is new, builds what goes
# into the package, and prints the package's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
while (($# > 0)); do
  case $1 in
    --build) build=$(realpath -m "${2:?--build needs a folder}"); shift 2 ;;
    *) echo "usage: $0 [--build DIR]" >&2; exit 2 ;;
  esac
done

bash "$root/scripts/install-deps.sh" >&2
# CPack's DEB generator finds the programs with file and their libraries with
# dpkg-shlibdeps.
bash "$root/scripts/install-deps.sh" file dpkg-dev >&2

# A new folder gets the normal build; an existing one keeps its settings and
# looks again for what was installed since (Assimp for atl-import).
new_build=()
[[ -f "$build/CMakeCache.txt" ]] || new_build=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
cmake -S "$root" -B "$build" "${new_build[@]}" >/dev/null
# A package is made of the optimised programs alone.
if grep -Eq '^(KELVO_SANITIZE|KELVO_TSAN|KELVO_FUZZ):BOOL=ON$|^CMAKE_BUILD_TYPE:STRING=Debug$' \
  "$build/CMakeCache.txt"; then
  echo "$build is a debugging or sanitizer build; package a normal one (--build DIR)" >&2
  exit 1
fi

# Progress on stderr: standard output is the package's path alone.
cmake --build "$build" -j "$(nproc)" --target package_contents >&2
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=kelvo_${version}_$(dpkg --print-architecture).deb
staging="$build/cpack"
rm -rf "$staging"
(cd "$build" && cpack -G DEB -B "$staging" >"$staging.log" 2>&1) ||
  { cat "$staging.log" >&2; exit 1; }
mkdir -p "$root/dist"
mv -f "$staging/$deb" "$root/dist/$deb"
echo "$root/dist/$deb"
