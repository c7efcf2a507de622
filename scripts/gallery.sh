#!/usr/bin/env bash
# Draws the pictures of the README's gallery into docs/gallery: the sample
# models in several editions and settings, drawn by kelvo-render; a turntable
# GIF; a model of our own made as an OBJ file and converted by atl-import;
# and kelvo8's window under Xvfb.
#
#   scripts/gallery.sh [BUILD_DIR]     (default build, configured if new)
#
# The pictures drawn by kelvo-render come out the same on every run; the
# window's shows the frame rate of the moment.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
if [[ ! -f "$build/CMakeCache.txt" ]]; then
  bash "$root/scripts/install-deps.sh"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
build=$(cd "$build" && pwd)
out=$root/docs/gallery
cmake --build "$build" --target kelvo-render atl-import kelvo8 sample_models >/dev/null
mkdir -p "$out"
source "$root/scripts/xvfb-window.sh"
gui_session  # the scratch folder $work; Xvfb and kelvo8 end with the script

# kelvo-render runs in the folder of the sample models, as the programs do.
render() {
  (cd "$build/bin" && ./kelvo-render "$@")
}
picture() {
  local name=$1
  shift
  render "$@" --snapshot "Picture1=$out/$name.png"
  echo "$out/$name.png"
}

# The scroll bars tilt the model: HScroll1 about x, HScroll2 about z, in
# degrees. Frames are chosen where the model shows itself well.
picture edition1-torus --edition 1 --model torus.atl --frames 30
picture edition2-torus --edition 2 --model torus.atl --set Check6=0 --set Check8=1 --frames 30
picture edition3-sphere-shaded --edition 3 --model sphere.atl --set Check10=1 --frames 20
picture edition5-cube-textured --edition 5 --model cube.atl --set Check15=1 --set HScroll2=30 \
  --frames 20
picture edition8-torus19000 --model torus19000.atl --set HScroll2=30 --frames 45
picture edition8-sphere-wired --model sphere.atl --set Check3=1 --set Check4=0 \
  --set HScroll2=30 --frames 30
picture edition9-cube-bricks --edition 9 --model cube.atl --set Check15=1 --set HScroll2=30 \
  --frames 20
picture edition10-cube-pebbles --edition 10 --model cube.atl --set Check15=1 --set HScroll1=20 \
  --set HScroll2=30 --frames 25

# A full turn of the torus at 4 degrees a frame, as "Max 50fps" shows it.
render --model torus.atl --set HScroll2=30 --set HScroll3=20000 --frames 90 \
  --gif "$out/edition8-torus-turntable.gif"
echo "$out/edition8-torus-turntable.gif"

# A model from elsewhere: a trefoil knot written as an OBJ file (y up, faces
# counter-clockwise from outside, as modelling programs write them), turned
# into an .atl file by atl-import, then spun.
awk 'BEGIN {
  n = 240; m = 16; r = 0.45; pi = 3.14159265358979
  for (i = 0; i < n; i++) {
    t = 2 * pi * i / n
    # The curve, its first and second derivatives: the Frenet frame turns the
    # tube around it.
    px = sin(t) + 2 * sin(2 * t); py = cos(t) - 2 * cos(2 * t); pz = -sin(3 * t)
    dx = cos(t) + 4 * cos(2 * t); dy = -sin(t) + 4 * sin(2 * t); dz = -3 * cos(3 * t)
    ax = -sin(t) - 8 * sin(2 * t); ay = -cos(t) + 8 * cos(2 * t); az = 9 * sin(3 * t)
    bx = dy * az - dz * ay; by = dz * ax - dx * az; bz = dx * ay - dy * ax
    l = sqrt(bx * bx + by * by + bz * bz); bx /= l; by /= l; bz /= l
    l = sqrt(dx * dx + dy * dy + dz * dz); tx = dx / l; ty = dy / l; tz = dz / l
    nx = by * tz - bz * ty; ny = bz * tx - bx * tz; nz = bx * ty - by * tx
    for (j = 0; j < m; j++) {
      a = 2 * pi * j / m
      printf "v %.6f %.6f %.6f\n", px + r * (cos(a) * nx + sin(a) * bx),
             py + r * (cos(a) * ny + sin(a) * by), pz + r * (cos(a) * nz + sin(a) * bz)
    }
  }
  for (i = 0; i < n; i++) {
    for (j = 0; j < m; j++) {
      a = i * m + j + 1; b = ((i + 1) % n) * m + j + 1
      c = ((i + 1) % n) * m + (j + 1) % m + 1; d = i * m + (j + 1) % m + 1
      print "f", a, d, c, b
    }
  }
}' > "$work/knot.obj"
"$build/bin/atl-import" "$work/knot.obj" -o "$work/knot.atl" --size 180
render --model "$work/knot.atl" --set HScroll1=30 --set HScroll3=20000 --frames 90 \
  --gif "$out/imported-knot-turntable.gif"
echo "$out/imported-knot-turntable.gif"

# kelvo8's window under Xvfb: the torus clicked in the model list, tilted by a
# click on HScroll2's bar, and given time for "Max 50fps" to settle.
gui_close_helper >/dev/null || gui_fail "cannot build the close helper (g++, libx11-dev)"
gui_start_xvfb
gui_launch "$build/bin" kelvo8 || gui_fail "no kelvo8 window appeared"
xdotool mousemove "$((WIN_X + 620))" "$((WIN_Y + 52))" click 1   # torus.atl, the third line
gui_wait_title "$wid" "1000" 15 || gui_fail "the torus did not load"
xdotool mousemove "$((WIN_X + 200))" "$((WIN_Y + 288))" click 1  # HScroll2 up by 100
sleep 8
gui_screenshot "$wid" "$out/kelvo8-window.png" || gui_fail "screenshot failed"
gui_close "$wid" && gui_wait_exit "$program_pid" 2000 || gui_fail "kelvo8 did not close"
program_pid=""
echo "$out/kelvo8-window.png"
