#!/usr/bin/env bash
# kelvo-render built to WebAssembly and run by Node against the native
# kelvo-render: every edition on the sample models, in several settings, and
# under scripted users of hundreds of frames. Standard output, standard
# error, the exit status, the table and control dumps and the pictures must
# be the same bytes; a difference is a fault to be mended at its cause.
#
#   tests/web/same_as_native.sh NATIVE_BUILD WEB_BUILD
set -euo pipefail
native="$(cd "$1" && pwd)/bin/kelvo-render"
web="$(cd "$2" && pwd)/bin/kelvo-render.js"
here=$(cd "$(dirname "$0")" && pwd)
models="$here/../../models"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Node 20 and emscripten 3.1.6's loader disagree about fetch.
wasm_render() { node --no-experimental-fetch "$web" "$@"; }
native_render() { "$native" "$@"; }

cases=0
failures=0

# Runs one case in both builds, each in a folder of its own holding the
# sample models, and compares everything it wrote.
compare() {
  local name=$1
  shift
  local side
  for side in native wasm; do
    local dir="$work/$side/$name"
    mkdir -p "$dir"
    cp "$models"/*.atl "$dir/"
    [[ -f $work/events.txt ]] && cp "$work/events.txt" "$dir/"
    set +e
    (cd "$dir" && ${side}_render "$@" >stdout.txt 2>stderr.txt)
    echo $? >"$dir/status.txt"
    set -e
    rm -f "$dir"/*.atl
  done
  cases=$((cases + 1))
  if ! diff -r "$work/native/$name" "$work/wasm/$name" >"$work/diff.txt"; then
    failures=$((failures + 1))
    echo "DIFFERENT: $name: kelvo-render $*"
    head -20 "$work/diff.txt"
  fi
  rm -rf "$work/native/$name" "$work/wasm/$name"
}

dumps=(--dump-table table.txt --dump-controls controls.txt --snapshot Picture1=picture1.png)

# The sample models in every edition, the meter ticking, the side views on
# where the edition has them.
for edition in 1 2 3 4 5 6 7 8 9 10; do
  for model in cube sphere torus; do
    compare "e$edition-$model" --edition "$edition" --model "$model.atl" --frames 60 \
      --tick-every 7 "${dumps[@]}"
  done
  compare "e$edition-torus19000" --edition "$edition" --model torus19000.atl --frames 20 \
    --tick-every 5 "${dumps[@]}"
done

# Settings that take other paths: outlines, the texture, both side views,
# the random model, the perspective and tilt at odd angles.
compare e2-wire --edition 2 --set Check4=0 --set Check3=1 --model torus.atl --frames 40 \
  --snapshot pPicture2=left.png "${dumps[@]}"
compare e3-sides --edition 3 --set Check13=1 --set Check14=1 --model sphere.atl --frames 40 \
  --snapshot pPicture2=left.png --snapshot pPicture3=right.png "${dumps[@]}"
compare e5-textured --edition 5 --set Check15=1 --model cube.atl --frames 30 "${dumps[@]}"
compare e8-textured --edition 8 --set Check15=1 --set Check19=1 --model torus19000.atl \
  --frames 10 "${dumps[@]}"
compare e10-textured --edition 10 --set Check15=1 --model sphere.atl --frames 30 "${dumps[@]}"
compare e8-wired-fast --edition 8 --set Check3=1 --set Check4=0 --set Check9=1 \
  --model torus19000.atl --frames 10 "${dumps[@]}"
compare e8-random --edition 8 --set Check20=1 --start --frames 50 "${dumps[@]}"
compare e8-tilted --edition 8 --set HScroll1=77 --set HScroll2=311 --set HScroll5=123 \
  --set HScroll4=3 --model torus.atl --frames 45 "${dumps[@]}"
compare e6-spin-large --edition 6 --set Text3=1E30 --model torus.atl --frames 5 "${dumps[@]}"
compare e9-frames-png --edition 9 --set Check15=1 --model cube.atl --frames 6 --frames-png frames

# The program's own errors and bad options: messages and exit status.
compare e8-not-a-number --edition 8 --set Text3=abc --model cube.atl --frames 5 "${dumps[@]}"
compare e8-overflow --edition 8 --set Text3=1E300 --set HScroll3=32767 --model cube.atl \
  --frames 3 "${dumps[@]}"
compare bad-edition --edition 11
compare bad-set --set Check1=5
compare no-such-model --model none.atl --frames 1
compare layout --edition 4 --dump-layout layout.txt --frames 0

# Scripted users: hundreds of frames of clicks, scrolls, typing, models,
# ticks and restarts, from seeds that stay the same from run to run.
write_script() {
  local edition=$1 frames=$2 seed=$3
  native_render --edition "$edition" --dump-layout - | awk '{print $1}' |
    awk -v frames="$frames" -v seed="$seed" -f "$here/../../scripts/random_events.awk" \
      >"$work/events.txt"
}
for edition in 1 2 3 4 5 6 7 8 9 10; do
  write_script "$edition" 400 "$((1000 + edition))"
  compare "e$edition-events" --edition "$edition" --events events.txt "${dumps[@]}"
done
rm -f "$work/events.txt"

echo "$((cases - failures)) passed, $failures failed"
((failures == 0))
