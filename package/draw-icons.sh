#!/usr/bin/env bash
# Draws kelvo's icon with kelvo-render: the torus in edition 3's shaded
# colours, tilted so that its hole shows, cut from the main view to the
# model's outline on a transparent ground, at each size a desktop looks for.
#
#   draw-icons.sh KELVO_RENDER MODEL OUT_DIR SIZE...   writes OUT_DIR/kelvo-SIZE.png
#
# Needs ImageMagick's convert.
set -euo pipefail
[[ $# -ge 4 ]] || { echo "usage: $0 KELVO_RENDER MODEL OUT_DIR SIZE..." >&2; exit 2; }
render=$1 model=$2 out=$3
shift 3
mkdir -p "$out"
# The colours come from the program's unseeded random numbers: the same on
# every run.
"$render" --edition 3 --model "$model" --set Check10=1 --set HScroll1=40 --frames 20 \
  --snapshot "Picture1=$out/view.png"
for size in "$@"; do
  # The main view's light blue ground (192, 192, 255) becomes transparent;
  # no time stamps, so the same drawing gives the same file.
  convert "$out/view.png" -transparent 'rgb(192,192,255)' -trim +repage \
    -resize "${size}x${size}" -gravity center -background none -extent "${size}x${size}" \
    -define png:exclude-chunks=date,time "$out/kelvo-$size.png.tmp"
  mv -f "$out/kelvo-$size.png.tmp" "$out/kelvo-$size.png"
done
rm -f "$out/view.png"
