#!/usr/bin/env bash
# kelvo8 and kelvo10 under Xvfb, where a user meets the edges: a message box
# quoting 400 typed digits stays within the screen; a close request while a
# message box is up (a bad typed number, a model that cannot be opened) ends
# the program; a close request during the load of a 200 MB model of one line
# ends it within a second; a model name holding a line feed takes one line
# of the list and a click on it loads that model.
#
#   tests/gui/messages_test.sh BUILD_DIR
#
# Screenshots go to $SCREENSHOT_DIR (default /tmp): kelvo8-message.png and
# kelvo8-names.png, and the same for kelvo10. Exit 0 on success; otherwise a
# FAIL line says what broke.

set -u
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xvfb-window.sh"

gui_test_folders "$@"

gui_session
gui_close_helper >/dev/null || gui_fail "cannot build the close helper (g++, libx11-dev)"
gui_start_xvfb

# The models, each with as many triangles as its line of the sorted list
# counts from 1, so the title tells which line was clicked.
models="$work/models"
mkdir -p "$models"
model() {  # NAME TRIANGLES
  local i
  for ((i = 0; i < $2 * 9; i++)); do printf '%d\r\n' "$i"; done >"$models/$1"
}
model a.atl 1
model $'b\nc.atl' 2
model d.atl 3
model gone.atl 4
head -c 200000000 /dev/zero | tr '\0' '7' >"$models/huge.atl"

start() {  # PROGRAM: runs it in the models' folder; sets program_pid, wid, WIN_*
  (cd "$models" && exec "$bin/$1") 2>"$work/program.log" &
  program_pid=$!
  wid=$(gui_find_window '^Form1$' 15) || fail "no window titled Form1 appeared"
  gui_wait_drawn "$wid" $((left[Picture1] + 10)) $((top[Picture1] + 10)) "$work/start.png" ||
    fail "Picture1 not shown after 10 s"
}
click() { xdotool mousemove "$((WIN_X + $1))" "$((WIN_Y + $2))" click 1; }
list_line() {  # LINE (1-based): clicks the middle of that line of File1
  click $((left[File1] + 12)) $((top[File1] + 2 + (2 * $1 - 1) * row / 2))
}
# close_ends_it WHAT: a close request for the form ends the program within a
# second, with status 0.
close_ends_it() {
  gui_close "$wid" || fail "sending the close request failed"
  gui_wait_exit "$program_pid" 1000 || fail "still runs 1 s after the close request $1"
  wait "$program_pid"
  local status=$?
  program_pid=""
  [[ $status -eq 0 ]] || fail "exited with status $status after the close request $1"
}
# message_box: waits for the box (titled by the program) and prints its id.
message_box() {
  gui_find_window "^$name\$" 10
}

for name in kelvo8 kelvo10; do
  edition=${name#kelvo}
  fail() {
    [[ -s "$work/program.log" ]] && { echo "--- $name stderr:" >&2; tail -n 5 "$work/program.log" >&2; }
    gui_fail "$name: $*"
  }
  gui_read_layout "$bin" "$edition" || fail "kelvo-render gave no layout"

  # The list's line height, found by clicking down from the first line
  # until the second model loads.
  start "$name"
  row=0
  for ((y = 4; y < 40; y += 2)); do
    click $((left[File1] + 12)) $((top[File1] + y))
    sleep 0.2
    [[ $(xdotool getwindowname "$wid") == 2 ]] && { row=$((y - 2)); break; }
  done
  ((row > 0)) || fail "no line of the list loads b?c.atl"
  # Line 2 is one line however its name is written: line 3 holds d.atl.
  list_line 3
  gui_wait_title "$wid" 3 5 || fail "line 3 loads '$GUI_TITLE' triangles, not d.atl's 3"
  list_line 2
  gui_wait_title "$wid" 2 5 || fail "line 2 loads '$GUI_TITLE' triangles, not b?c.atl's 2"
  gui_screenshot "$wid" "$shots/$name-names.png"

  # A model gone since the list was filled: the box names it; a close
  # request while it is up ends the program.
  rm "$models/gone.atl"
  list_line 4
  box=$(message_box) || fail "no message for a model that cannot be opened"
  close_ends_it "with the message box up"
  model gone.atl 4

  # 400 digits for the spin angle before the loop starts (the meter's tick
  # would reset the frame counter while they are typed): the first frame
  # overflows, and the box quoting them stays narrower than the screen.
  start "$name"
  click $((left[Text3] + 10)) $((top[Text3] + 8))
  xdotool key End shift+Home type --delay 1 "$(printf '7%.0s' $(seq 400))"
  list_line 1
  box=$(message_box) || fail "no message for 400 digits in Text3"
  sleep 0.3
  gui_geometry "$box" || fail "no geometry for the message box"
  ((WIN_W < 1024 && WIN_X >= 0 && WIN_X + WIN_W <= 1024)) ||
    fail "the message box is ${WIN_W} px wide at x = $WIN_X on a screen of 1024"
  xwd -root -silent | convert xwd:- -crop "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}" +repage \
    "png:$shots/$name-message.png"
  gui_geometry "$wid"
  close_ends_it "with the message box up"

  # A close request during the load of 200 MB of one line.
  start "$name"
  list_line 5
  sleep 0.05
  closed_at=$(date +%s%N)
  close_ends_it "during a load of 200 MB"
  load_close_ms=$((($(date +%s%N) - closed_at) / 1000000))
  echo "$name: closed $load_close_ms ms after the request during the load of 200 MB"
done

echo "PASS: long quotes shortened, message boxes closed with the form, long loads" \
  "closed within a second, odd names listed on one line; screenshots in $shots"
