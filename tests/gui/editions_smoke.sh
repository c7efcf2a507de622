#!/usr/bin/env bash
# Every program under Xvfb: kelvo, kelvo2 ... kelvo10 each opens its own
# window at its own size, loads the first model of its list on a click (the
# title shows the triangle count), animates it, and ends within a second of
# the window's close request. Where the controls are comes from kelvo-render
# --dump-layout, so the script follows the editions' layouts.
#
#   tests/gui/editions_smoke.sh BUILD_DIR
#
# Screenshots of the running programs go to $SCREENSHOT_DIR (default /tmp):
# kelvo.png, kelvo2.png ... kelvo10.png. Exit 0 on success; otherwise a FAIL
# line says which program broke and how.

set -u
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xvfb-window.sh"

gui_test_folders "$@"

gui_session

# The programs run in a folder holding one small model, so the first line of
# every list is known.
mkdir -p "$work/models"
cp "$bin/cube.atl" "$work/models/" 2>/dev/null ||
  printf '%s\r\n' 0 0 0 300 0 0 0 300 0 0 300 0 300 0 0 0 0 300 >"$work/models/cube.atl"
expected=$(awk '!/^[#*]/ { n++ } END { print int(n / 9) }' "$work/models/cube.atl")

gui_close_helper >/dev/null || gui_fail "cannot build the close helper (g++, libx11-dev)"
gui_start_xvfb

crop_sum() {  # FILE W H X Y
  convert "$1" -crop "$2x$3+$4+$5" +repage rgb:- | md5sum
}

for edition in 1 2 3 4 5 6 7 8 9 10; do
  name=kelvo$edition
  [[ $edition -eq 1 ]] && name=kelvo
  fail() {
    [[ -s "$work/program.log" ]] && { echo "--- $name stderr:" >&2; tail -n 20 "$work/program.log" >&2; }
    gui_fail "$name: $*"
  }
  [[ -x "$bin/$name" ]] || fail "not built"

  gui_read_layout "$bin" "$edition" || fail "kelvo-render gave no layout"

  (cd "$work/models" && exec "$bin/$name") 2>"$work/program.log" &
  program_pid=$!
  wid=$(gui_find_window '^Form1$' 15) || fail "no window titled Form1 appeared within 15 s"
  gui_wait_drawn "$wid" $((left[Picture1] + 10)) $((top[Picture1] + 10)) "$work/start.png" ||
    fail "Picture1 not shown after 10 s (see $work/start.png)"
  [[ "$WIN_W" -eq ${width[Form1]} && "$WIN_H" -eq ${height[Form1]} ]] ||
    fail "client area is ${WIN_W}x${WIN_H}, expected ${width[Form1]}x${height[Form1]}"

  # Z sort off first: with it, edition 2's filled renderer reads columns
  # that nothing fills, and the view would stay empty.
  xdotool mousemove "$((WIN_X + left[Check6] + 8))" "$((WIN_Y + top[Check6] + height[Check6] / 2))" click 1
  # The first line of the list, just inside its frame.
  xdotool mousemove "$((WIN_X + left[File1] + 12))" "$((WIN_Y + top[File1] + 8))" click 1
  gui_wait_title "$wid" "$expected" 15 || fail "title is '$GUI_TITLE' after the click, expected '$expected'"

  # Animated: the main view changes from one screenshot to the next.
  view=("$((width[Picture1] - 4))" "$((height[Picture1] - 4))" "$((left[Picture1] + 2))" "$((top[Picture1] + 2))")
  gui_screenshot "$wid" "$work/a.png" || fail "screenshot failed"
  before=$(crop_sum "$work/a.png" "${view[@]}")
  deadline=$((SECONDS + 10))
  while :; do
    sleep 0.3
    gui_screenshot "$wid" "$shots/$name.png" || fail "screenshot failed"
    [[ $(crop_sum "$shots/$name.png" "${view[@]}") != "$before" ]] && break
    ((SECONDS < deadline)) || fail "the main view does not change (see $shots/$name.png)"
  done

  gui_close "$wid" || fail "sending the close request failed"
  gui_wait_exit "$program_pid" 1000 || fail "still runs 1 s after the close request"
  wait "$program_pid"
  status=$?
  program_pid=""
  [[ $status -eq 0 ]] || fail "exited with status $status"
done

echo "PASS: all ten programs opened, loaded the model, animated and closed; screenshots in $shots"
