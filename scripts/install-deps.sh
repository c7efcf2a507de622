#!/usr/bin/env bash
# Installs every Debian package the build, the programs and the tests need,
# and only those that are missing. Safe to run again. With package names as
# arguments, installs those instead: for a stage that needs more than the
# build, such as packaging.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libfltk1.3-dev libstb-dev libgif-dev
  libgtest-dev libgmock-dev libbenchmark-dev libosmesa6-dev libcairo2-dev
  xvfb xdotool x11-apps x11-utils imagemagick libx11-dev
  clang-14 libclang-rt-14-dev
  libassimp-dev libmeshoptimizer-dev
)
if (($# > 0)); then
  packages=("$@")
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# Another install in progress holds the lock for a while: wait for it.
$SUDO apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends "${missing[@]}" >/dev/null
