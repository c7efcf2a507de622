#!/usr/bin/env bash
# Measures kelvo8's frame rate in its window under Xvfb against the same
# frames without a window, and prints the figures (it asserts nothing).
#
#   scripts/window-fps.sh [--max50 on|off] [--seconds N] [--build DIR]
#
#   --max50 on|off  "Max 50fps" ticked or not while it runs (default off)
#   --seconds N     how long the window runs on the model (default 12)
#   --build DIR     the build folder (default: build beside this folder)
#
# The window: kelvo8 starts in DIR/bin, where the sample models are;
# "Max 50fps" is set as asked and torus19000.atl clicked in the model list,
# which starts the loop. Every second the script reads the FPS box (Text2),
# where the meter writes the frames of the last second: a double click
# selects the number, and the primary selection gives its text, as a
# middle-click paste would. The first readings cover the model's loading and
# the loop's start and are left out of the mean.
#
# Without a window: kelvo-render runs the same edition on the same model for
# two frame counts; the difference of their wall times over the difference of
# the counts is the headless rate, free of start-up and loading.

set -u
source "$(dirname "${BASH_SOURCE[0]}")/xvfb-window.sh"

max50=off
seconds=12
build_dir="$GUI_DIR/../build"
while [[ $# -gt 0 ]]; do
  case "$1" in
    --max50) max50=${2:-}; shift 2 ;;
    --seconds) seconds=${2:-}; shift 2 ;;
    --build) build_dir=${2:-}; shift 2 ;;
    -h | --help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"; exit 0 ;;
    *) echo "window-fps.sh: unknown option $1 (see --help)" >&2; exit 2 ;;
  esac
done
[[ "$max50" == on || "$max50" == off ]] || { echo "--max50 takes on or off" >&2; exit 2; }
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "--seconds takes a whole number" >&2; exit 2; }
build_dir=$(cd "$build_dir" 2>/dev/null && pwd) || gui_fail "no build folder $build_dir"
bin="$build_dir/bin"
model=torus19000.atl
for f in kelvo8 kelvo-render "$model"; do [[ -e "$bin/$f" ]] || gui_fail "$bin/$f is missing"; done
# Readings left out of the mean: loading and the first second take three;
# the pacing needs a few seconds more to come down to its rate.
warm_up=3
[[ "$max50" == on ]] && warm_up=6
((seconds > warm_up)) || { echo "--seconds must exceed $warm_up" >&2; exit 2; }

now_ns() { date +%s%N; }

# --- Without a window -------------------------------------------------------
headless_ns() {  # FRAMES: wall time of one run, in nanoseconds
  local start end
  start=$(now_ns)
  (cd "$bin" && ./kelvo-render --edition 8 --set Check12=0 --model "$model" --frames "$1") ||
    gui_fail "kelvo-render failed"
  end=$(now_ns)
  echo $((end - start))
}
short=50
long=2050
t_short=$(headless_ns "$short")
t_long=$(headless_ns "$long")
headless_fps=$(awk -v n=$((long - short)) -v t=$((t_long - t_short)) \
  'BEGIN { printf "%.1f", n / (t / 1e9) }')

# --- In the window ----------------------------------------------------------
gui_session
selection_helper="$work/x_selection"
g++ -O1 -o "$selection_helper" "$GUI_DIR/x_selection.cpp" -lX11 ||
  gui_fail "cannot build the selection reader (g++, libx11-dev)"
gui_close_helper >/dev/null || gui_fail "cannot build the close helper (g++, libx11-dev)"

declare -A left=() top=() width=() height=()
while read -r control l t w h; do
  left[$control]=$((l / 15)) top[$control]=$((t / 15))
  width[$control]=$((w / 15)) height[$control]=$((h / 15))
done < <("$bin/kelvo-render" --edition 8 --dump-layout -)

gui_start_xvfb
(cd "$bin" && exec ./kelvo8) 2>"$work/program.log" &
program_pid=$!
wid=$(gui_find_window '^Form1$' 15) || gui_fail "no window titled Form1 appeared"
# The window is mapped before it is drawn: wait until Picture1 shows.
deadline=$((SECONDS + 10))
until gui_screenshot "$wid" "$work/start.png" &&
  [[ $(gui_pixel "$work/start.png" $((left[Picture1] + 10)) $((top[Picture1] + 10))) == 192,192,255 ]]; do
  ((SECONDS < deadline)) || gui_fail "the window was not drawn within 10 s"
  sleep 0.2
done

click() { xdotool mousemove "$((WIN_X + $1))" "$((WIN_Y + $2))" click 1; }
# "Max 50fps" starts ticked.
[[ "$max50" == off ]] && click $((left[Check12] + 8)) $((top[Check12] + height[Check12] / 2))

# The model is the fourth line of the list. Lines are 14 px high in FLTK's
# 11-px font; should the font differ, walk down the list a few pixels at a
# time until the title shows the model's 19000 triangles.
click $((left[File1] + 12)) $((top[File1] + 2 + 3 * 14 + 7))
y=$((top[File1] + 6))
until gui_wait_title "$wid" 19000 2; do
  ((y < top[File1] + height[File1] - 4)) || gui_fail "no line of the list loads $model"
  click $((left[File1] + 12)) "$y"
  y=$((y + 4))
done

# Text2, one reading a second.
fps_x=$((WIN_X + left[Text2] + 8))
fps_y=$((WIN_Y + top[Text2] + height[Text2] / 2))
readings=()
for _ in $(seq 1 "$seconds"); do
  sleep 1
  xdotool mousemove "$fps_x" "$fps_y" click --repeat 2 --delay 40 1
  shown=$("$selection_helper" 2>/dev/null)
  [[ "$shown" =~ ^[0-9]+$ ]] || shown="?"
  readings+=("$shown")
done
kill -0 "$program_pid" 2>/dev/null || gui_fail "kelvo8 ended while it ran (see $work/program.log)"
gui_close "$wid"
gui_wait_exit "$program_pid" 2000 || kill "$program_pid" 2>/dev/null
wait "$program_pid" 2>/dev/null
program_pid=""

settled=$(printf '%s\n' "${readings[@]:$warm_up}" |
  awk '/^[0-9]+$/ { s += $1; n++; if (n == 1 || $1 < lo) lo = $1; if (n == 1 || $1 > hi) hi = $1 }
       END { if (n) printf "%.1f %d %d", s / n, lo, hi; else print "? ? ?" }')
read -r window_fps lowest highest <<<"$settled"

echo "model:        $model, edition 8 (kelvo8), Max 50fps $max50"
echo "window FPS:   ${readings[*]}  (one reading a second)"
echo "window:       $window_fps frames/s, $lowest to $highest (the readings after the first $warm_up)"
echo "headless:     $headless_fps frames/s (kelvo-render, $((long - short)) frames)"
if [[ "$max50" == off ]]; then
  awk -v w="$window_fps" -v h="$headless_fps" \
    'BEGIN { if (w + 0 > 0 && h + 0 > 0) printf "ratio:        %.2f (window / headless)\n", w / h }'
fi
