#!/usr/bin/env bash
# The ten Windows programs under Wine and Xvfb, as a user meets them: each
# opens at its design's size, a click on torus.atl sets the title to 1000 and
# the model spins (Picture1 changes), a check box, a scroll bar and a text box
# answer clicks and typing, and the close request ends the program within a
# second with status 0. In kelvo8, with the model standing still, the main
# view on screen equals the Linux kelvo-render's picture pixel for pixel.
#
#   tests/windows/windows_gui.sh WINDOWS_BUILD LINUX_BUILD
#
# Needs Wine set up on the display in KELVO_GUI_DISPLAY (scripts/test-windows.sh
# does both). Screenshots go to $SCREENSHOT_DIR (default /tmp): NAME-win.png.

set -u
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xvfb-window.sh"

[[ $# -eq 2 ]] || { echo "usage: $0 WINDOWS_BUILD LINUX_BUILD" >&2; exit 2; }
bin=$(cd "$1" 2>/dev/null && pwd)/bin || gui_fail "no build folder $1"
linux_bin=$(cd "$2" 2>/dev/null && pwd)/bin || gui_fail "no build folder $2"
shots=${SCREENSHOT_DIR:-/tmp}
mkdir -p "$shots"
# Wine draws the window's frame itself: 3 pixels a side, a title of 22.
export GUI_FRAME_SIDE=3 GUI_FRAME_TOP=22
# The list box's rows with the default GUI font.
row=13

gui_session
gui_close_helper >/dev/null || gui_fail "cannot build the close helper (g++, libx11-dev)"
gui_start_xvfb
mkdir -p "$work/models"
cp "$linux_bin"/{cube,sphere,torus}.atl "$work/models/"

crop_sum() {  # FILE W H X Y
  convert "$1" -crop "$2x$3+$4+$5" +repage rgb:- | md5sum
}
region() {  # CONTROL: a checksum of that control as the screen shows it now
  gui_screenshot "$wid" "$work/region.png" || fail "screenshot failed"
  crop_sum "$work/region.png" "${width[$1]}" "${height[$1]}" "${left[$1]}" "${top[$1]}"
}
# wait_change CONTROL SUM WHAT: the control must look different from SUM within 5 s.
wait_change() {
  local deadline=$((SECONDS + 5))
  until [[ $(region "$1") != "$2" ]]; do
    ((SECONDS < deadline)) || fail "$3 (see $work/region.png)"
    sleep 0.2
  done
}
click() { xdotool mousemove "$((WIN_X + $1))" "$((WIN_Y + $2))" click 1; }
click_in() { click "$((left[$1] + $2))" "$((top[$1] + height[$1] / 2))"; }

for edition in ${KELVO_GUI_EDITIONS:-1 2 3 4 5 6 7 8 9 10}; do
  name=kelvo$edition
  [[ $edition -eq 1 ]] && name=kelvo
  fail() {
    [[ -s "$work/program.log" ]] && { echo "--- $name stderr:" >&2; tail -n 20 "$work/program.log" >&2; }
    gui_fail "$name.exe: $*"
  }
  [[ -f "$bin/$name.exe" ]] || fail "not built"
  gui_read_layout "$linux_bin" "$edition" || fail "kelvo-render gave no layout"

  started=$(date +%s%N)
  (cd "$work/models" && exec wine "$bin/$name.exe") 2>"$work/program.log" &
  program_pid=$!
  wid=$(gui_find_window '^Form1$' 30) || fail "no window titled Form1 appeared within 30 s"
  gui_wait_drawn "$wid" $((left[Picture1] + 10)) $((top[Picture1] + 10)) "$work/start.png" ||
    fail "Picture1 not shown after 10 s (see $work/start.png)"
  opened_ms=$((($(date +%s%N) - started) / 1000000))
  [[ "$WIN_W" -eq ${width[Form1]} && "$WIN_H" -eq ${height[Form1]} ]] ||
    fail "client area is ${WIN_W}x${WIN_H}, expected ${width[Form1]}x${height[Form1]}"

  # Z sort off first: with it, edition 2's filled renderer reads columns
  # that nothing fills, and the view would stay empty.
  click_in Check6 8
  # torus.atl is the third name of the list.
  click $((left[File1] + 12)) $((top[File1] + 2 + 2 * row + row / 2))
  gui_wait_title "$wid" 1000 15 || fail "title is '$GUI_TITLE' after clicking torus.atl, expected 1000"
  view=$(region Picture1)
  wait_change Picture1 "$view" "the main view does not change while the model spins"

  # A check box, a scroll bar's arrow and a text box answer.
  before=$(region Check3)
  click_in Check3 8
  wait_change Check3 "$before" "Check3 looks the same after a click"
  # A click in the trough, right of the thumb: a large change, which moves
  # the thumb far enough to see.
  before=$(region HScroll1)
  click_in HScroll1 $((width[HScroll1] * 3 / 4))
  wait_change HScroll1 "$before" "HScroll1's thumb did not move for a click in its trough"
  before=$(region Text4)
  click_in Text4 $((width[Text4] / 2))
  xdotool key End type --delay 20 "99"
  wait_change Text4 "$before" "Text4 does not show what was typed"
  gui_screenshot "$wid" "$shots/$name-win.png" || fail "screenshot failed"

  if [[ $name == kelvo8 ]]; then
    # The model stands still: "autorotate" off and an angle typed into Text3.
    # The window repaints only what changed, so after frames of the model
    # turning the screen must still match the picture pixel for pixel.
    click_in Check3 8                                  # "Wired" off again
    click_in Check7 8                                  # "autorotate" off
    click_in Text3 $((width[Text3] / 2))
    xdotool key End shift+Home type --delay 20 "45"
    "$linux_bin/kelvo-render" --set Check6=0 --set Check7=0 --set Text3=45 --set HScroll1=100 \
      --model "$work/models/torus.atl" --frames 2 --snapshot "Picture1=$work/still.png" ||
      fail "kelvo-render could not draw the still picture"
    still=$(convert "$work/still.png" rgb:- | md5sum)
    deadline=$((SECONDS + 10))
    until gui_screenshot "$wid" "$work/still-window.png" &&
      [[ $(crop_sum "$work/still-window.png" 317 229 $((left[Picture1] + 2)) $((top[Picture1] + 2))) == "$still" ]]; do
      ((SECONDS < deadline)) || { cp "$work/still-window.png" "$work/still.png" "$shots/" 2>/dev/null;
        fail "Picture1 on screen differs from kelvo-render's (see $shots/still-window.png, $shots/still.png)"; }
      sleep 0.3
    done
    cp "$work/still-window.png" "$shots/kelvo8-win-still.png"
  fi

  # The close request arrives while the render loop runs.
  closed_at=$(date +%s%N)
  gui_close "$wid" || fail "sending the close request failed"
  gui_wait_exit "$program_pid" 1000 || fail "still runs 1 s after the close request"
  elapsed_ms=$((($(date +%s%N) - closed_at) / 1000000))
  wait "$program_pid"
  status=$?
  program_pid=""
  ((status == 0)) || fail "exited with status $status"
  echo "$name.exe: opened in $opened_ms ms, loaded, spun, answered, closed in $elapsed_ms ms"
done
echo "PASS: the ten Windows programs under Wine; screenshots in $shots"
