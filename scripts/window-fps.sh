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
# the loop's start and are left out.
#
# Without a window: kelvo-render runs the same edition on the same model for
# two frame counts; the difference of their wall times over the difference of
# the counts is the headless rate, free of start-up and loading. It is
# measured before and after the window, and the two averaged.
#
# On a busy machine the rates follow the load more than the program; the
# processor time a frame takes (kelvo8 and the X server together, from
# /proc, against kelvo-render's) moves much less, and is printed too.

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
# Readings left out: loading and the first second take three; the pacing
# needs a few seconds more to come down to its rate.
warm_up=3
[[ "$max50" == on ]] && warm_up=6
((seconds > warm_up)) || { echo "--seconds must exceed $warm_up" >&2; exit 2; }
load_at_start=$(cut -d' ' -f1-3 /proc/loadavg)

# --- Without a window -------------------------------------------------------
headless_run() {  # FRAMES: prints "WALL_S CPU_S" of one run
  local TIMEFORMAT='%R %U %S' times
  times=$( { time (cd "$bin" && ./kelvo-render --edition 8 --set Check12=0 --model "$model" \
    --frames "$1" >/dev/null) ; } 2>&1) || gui_fail "kelvo-render failed"
  awk '{ printf "%s %.3f", $1, $2 + $3 }' <<<"$times"
}
short=50
long=2050
headless() {  # prints "FRAMES_PER_S CPU_MS_A_FRAME"
  local a b
  a=$(headless_run "$short")
  b=$(headless_run "$long")
  awk -v n=$((long - short)) -v a="$a" -v b="$b" 'BEGIN {
    split(a, x, " "); split(b, y, " ")
    printf "%.1f %.3f", n / (y[1] - x[1]), 1000 * (y[2] - x[2]) / n }'
}
read -r headless_fps_before headless_cpu_before <<<"$(headless)"

# --- In the window ----------------------------------------------------------
gui_session
selection_helper="$work/x_selection"
g++ -O1 -o "$selection_helper" "$GUI_DIR/x_selection.cpp" -lX11 ||
  gui_fail "cannot build the selection reader (g++, libx11-dev)"
gui_close_helper >/dev/null || gui_fail "cannot build the close helper (g++, libx11-dev)"

gui_read_layout "$bin" 8 || gui_fail "kelvo-render gave no layout"

gui_start_xvfb
(cd "$bin" && exec ./kelvo8) 2>"$work/program.log" &
program_pid=$!
wid=$(gui_find_window '^Form1$' 15) || gui_fail "no window titled Form1 appeared"
gui_wait_drawn "$wid" $((left[Picture1] + 10)) $((top[Picture1] + 10)) "$work/start.png" ||
  gui_fail "the window was not drawn within 10 s"

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

cpu_ticks() {  # PID: user + system time so far, in clock ticks
  awk '{ print $14 + $15 }' "/proc/$1/stat"
}
# Text2, one reading a second; processor time over the readings kept.
fps_x=$((WIN_X + left[Text2] + 8))
fps_y=$((WIN_Y + top[Text2] + height[Text2] / 2))
readings=()
for i in $(seq 1 "$seconds"); do
  sleep 1
  xdotool mousemove "$fps_x" "$fps_y" click --repeat 2 --delay 40 1
  shown=$("$selection_helper" 2>/dev/null)
  [[ "$shown" =~ ^[0-9]+$ ]] || shown="?"
  readings+=("$shown")
  if ((i == warm_up)); then
    program_ticks=$(cpu_ticks "$program_pid") server_ticks=$(cpu_ticks "$XVFB_PID")
  fi
done
program_ticks=$(($(cpu_ticks "$program_pid") - program_ticks))
server_ticks=$(($(cpu_ticks "$XVFB_PID") - server_ticks))
kill -0 "$program_pid" 2>/dev/null || gui_fail "kelvo8 ended while it ran (see $work/program.log)"
gui_close "$wid"
gui_wait_exit "$program_pid" 2000 || kill "$program_pid" 2>/dev/null
wait "$program_pid" 2>/dev/null
program_pid=""
gui_stop_xvfb

read -r headless_fps_after headless_cpu_after <<<"$(headless)"

# --- Figures ----------------------------------------------------------------
# The readings after the warm-up: mean, lowest, highest, and their sum (the
# frames of those seconds).
read -r window_fps lowest highest frames <<<"$(printf '%s\n' "${readings[@]:$warm_up}" |
  awk '/^[0-9]+$/ { s += $1; n++; if (n == 1 || $1 < lo) lo = $1; if (n == 1 || $1 > hi) hi = $1 }
       END { if (n) printf "%.1f %d %d %d", s / n, lo, hi, s; else print "? ? ? 0" }')"
tick_ms=$(awk -v hz="$(getconf CLK_TCK)" 'BEGIN { print 1000 / hz }')
ms_a_frame() {  # TICKS
  awk -v t="$1" -v f="$frames" -v ms="$tick_ms" 'BEGIN { if (f > 0) printf "%.3f", t * ms / f; else print "?" }'
}
program_cpu=$(ms_a_frame "$program_ticks")
server_cpu=$(ms_a_frame "$server_ticks")
headless_fps=$(awk -v a="$headless_fps_before" -v b="$headless_fps_after" 'BEGIN { printf "%.1f", (a + b) / 2 }')
headless_cpu=$(awk -v a="$headless_cpu_before" -v b="$headless_cpu_after" 'BEGIN { printf "%.3f", (a + b) / 2 }')

echo "model:        $model, edition 8 (kelvo8), Max 50fps $max50; load average at start $load_at_start"
echo "window FPS:   ${readings[*]}  (one reading a second)"
echo "window:       $window_fps frames/s, $lowest to $highest (the readings after the first $warm_up)"
echo "              processor time a frame: kelvo8 $program_cpu ms, Xvfb $server_cpu ms"
echo "headless:     $headless_fps frames/s ($headless_fps_before before the window, $headless_fps_after after;" \
  "kelvo-render, $((long - short)) frames)"
echo "              processor time a frame: $headless_cpu ms"
if [[ "$max50" == off ]]; then
  awk -v w="$window_fps" -v h="$headless_fps" -v hc="$headless_cpu" -v pc="$program_cpu" -v sc="$server_cpu" 'BEGIN {
    if (w + 0 > 0 && h + 0 > 0) printf "ratio:        %.2f (window / headless frame rate)\n", w / h
    if (pc + sc > 0) printf "              %.2f (headless / window processor time a frame, kelvo8 and Xvfb)\n", hc / (pc + sc) }'
fi
