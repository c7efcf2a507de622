#!/usr/bin/env bash
# kelvo-render.exe drawing through gdi32 (KELVO_GDI=system) and through our
# own rasteriser must give the same pictures, byte for byte. Every edition on
# the sample models, a frame for every setting of "Wired", "Filled" and
# "Gradient" (off, on, greyed) with "Culling" off and on, the side views
# active; the small torus is drawn by two threads. "Textured" only on a
# model whose triangles all lie with a right angle at their second corner,
# along the axes, upright or mirrored: gdi32 under Wine draws a texture
# turned any other way as an upright strip, and is no reference there.
#
#   tests/windows/system_drawing.sh WINDOWS_BUILD LINUX_BUILD
#
# The Linux kelvo-render only tells which controls each edition has.
# Needs Wine set up (scripts/wine-session.sh). Exit 0 when every picture
# matched; otherwise the runs and frames that differ are named.

set -u
[[ $# -eq 2 ]] || { echo "usage: $0 WINDOWS_BUILD LINUX_BUILD" >&2; exit 2; }
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
program=$(cd "$1" && pwd)/bin/kelvo-render.exe
linux=$(cd "$2" && pwd)/bin/kelvo-render
for built in "$program" "$linux"; do
  [[ -f "$built" ]] || { echo "FAIL: $built is not built" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/kelvo-system.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp "$here"/../../models/*.atl "$work/"

# Upright and mirrored right triangles, some across the view's edges: the
# second corner's x is the first's and its y the third's, in the model and,
# with no turn and no perspective, on the screen. Lines end in CR LF.
awk 'BEGIN {
  srand(19)
  for (i = 0; i < 80; i++) {
    x = int(rand() * 330) - 165; y = int(rand() * 240) - 120; z = int(rand() * 200)
    w = 1 + int(rand() * 70); h = 1 + int(rand() * 70)
    if (rand() < 0.5) w = -w
    if (rand() < 0.5) h = -h
    printf "%d\r\n%d\r\n%d\r\n%d\r\n%d\r\n%d\r\n%d\r\n%d\r\n%d\r\n",
      3 * x, 3 * (y + h), 3 * z, 3 * x, 3 * y, 3 * z, 3 * (x + w), 3 * y, 3 * z
  }
}' >"$work/upright.atl"

runs=0
failures=0
# compare NAME FRAMES ARGS...: runs kelvo-render.exe both ways, writing every
# frame and the side views, and compares the pictures.
compare() {
  local name=$1 frames=$2 side view
  shift 2
  for side in ours system; do
    local out="$work/$name-$side" snapshots=()
    mkdir -p "$out"
    for view in pPicture2 pPicture3; do
      has "$view" && snapshots+=(--snapshot "$view=$out/$view.png")
    done
    (cd "$work" && if [[ $side == system ]]; then export KELVO_GDI=system; fi
      wine "$program" --frames "$frames" --frames-png "$out" "${snapshots[@]}" "$@" \
        >"$out/messages" 2>&1; echo $? >"$out/status")
  done
  runs=$((runs + 1))
  local differs
  differs=$(cd "$work/$name-ours" && for f in *; do
    cmp -s "$f" "../$name-system/$f" || printf ' %s' "$f"
  done)
  if [[ -n "$differs" || ! -f "$work/$name-ours/frame-$(printf %05d "$frames").png" ]]; then
    failures=$((failures + 1))
    echo "DIFFERENT: $name ($*):${differs:- no frame $frames}" >&2
    head -n 3 "$work/$name-ours/messages" >&2
  fi
}

# Whether the edition has the control.
has() { grep -q "^$1\$" <<<"$layout"; }
# clicks FRAME CONTROL...: a click on each control the edition has, one a
# frame from FRAME on; the frame after a click shows it.
clicks() {
  local frame=$1 control
  shift
  for control in "$@"; do
    has "$control" && echo "$frame click $control"
    frame=$((frame + 1))
  done
}

# "Wired", "Filled" and "Gradient" start greyed, "Culling" on; clicks take
# each greyed box on, the others through off and on around it, then all
# sixteen ways of the four on and off (a Gray code, one click a frame).
wired=Check3 filled=Check4 gradient=Check8 culling=Check5
greyed_then_all=(
  "$culling" "$wired" "$culling" "$wired" "$filled" "$wired" "$culling" "$filled" "$wired"
  "$gradient" "$wired" "$filled" "$wired" "$gradient" "$wired" "$filled" "$wired" "$culling"
  "$wired" "$filled" "$wired" "$gradient" "$wired" "$filled" "$wired")
# The textured runs: "Correct" greyed (no cut), on (the texture cut once for
# good), off (each triangle cut on the work surface), with "Culling" and
# "Filled" changing between.
textured_clicks=(Check5 Check4 Check19 Check5 Check4 Check19 Check5 Check4)

for edition in 1 2 3 4 5 6 7 8 9 10; do
  layout=$("$linux" --edition "$edition" --dump-layout - | awk '{ print $1 }')
  settings=()
  for control in "$wired" "$filled" "$gradient"; do has "$control" && settings+=(--set "$control=2"); done
  for control in Check13 Check14; do has "$control" && settings+=(--set "$control=1"); done
  clicks 1 "${greyed_then_all[@]}" >"$work/settings$edition.txt"
  frames=$((${#greyed_then_all[@]} + 1))
  models=(cube torus)
  [[ $edition == 3 || $edition == 8 ]] && models+=(sphere)
  for model in "${models[@]}"; do
    compare "e$edition-$model" "$frames" --edition "$edition" "${settings[@]}" \
      --model "$model.atl" --events "settings$edition.txt"
  done
  if has Picture5; then
    correct=()
    has Check19 && correct=(--set Check19=2)
    clicks 1 "${textured_clicks[@]}" >"$work/textured$edition.txt"
    compare "e$edition-textured" "$((${#textured_clicks[@]} + 1))" --edition "$edition" \
      --model upright.atl --set Check15=1 "${correct[@]}" --set Check3=1 --set Check7=0 \
      --set Check17=0 --events "textured$edition.txt"
  fi
done
layout=$("$linux" --dump-layout - | awk '{ print $1 }')
compare "e8-torus19000" 3 --model torus19000.atl

echo "$runs runs both ways, $failures with differences"
((failures == 0))
