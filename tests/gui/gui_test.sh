#!/usr/bin/env bash
# The window of kelvo8 under Xvfb, driven as a user would: it opens with its
# controls in place and coloured, a click on the first model loads it (the
# title shows its triangle count) and starts the loop (the model drawn, the
# meter counting), the main view on screen matches kelvo-render's picture
# pixel for pixel once the model stands still, "Textured" ticked while it
# runs cuts the texture, widgets show their controls' state after clicks,
# Escape does not close it, and a window manager's close request ends the
# process within a second.
#
#   tests/gui/gui_test.sh BUILD_DIR
#
# Screenshots go to $SCREENSHOT_DIR (default /tmp): kelvo8-start.png,
# kelvo8-model.png, kelvo8-wired.png, kelvo8-textured.png. Exit 0 on
# success; otherwise a FAIL line says what broke.

set -u
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xvfb-window.sh"

gui_test_folders "$@"
program="$bin/kelvo8"
[[ -x "$program" ]] || gui_fail "$program is not built"

gui_session

fail() {
  if [[ -s "$work/program.log" ]]; then
    echo "--- kelvo8 stderr:" >&2
    tail -n 20 "$work/program.log" >&2
  fi
  gui_fail "$@"
}

# The model list shows the working folder: the sample models if the build
# copied them, otherwise a folder with a one-triangle model.
folder="$build_dir/bin"
if ! compgen -G "$folder/*.[aA][tT][lL]" >/dev/null; then
  folder="$work/models"
  mkdir -p "$folder"
  printf '%s\r\n' 0 0 0 300 0 0 0 300 0 >"$folder/tri.atl"
fi
first_model=$(cd "$folder" && for f in *; do
  [[ -f "$f" && "${f,,}" == *.atl ]] && echo "$f"
done | LC_ALL=C sort -f | head -n 1)
# The loader skips lines that start with '#' or '*' and reads nine numbers a
# triangle, at most 19000 triangles.
expected=$(awk '!/^[#*]/ { n++ } END { t = int(n / 9); print (t > 19000 ? 19000 : t) }' \
  "$folder/$first_model")

gui_close_helper >/dev/null || gui_fail "cannot build the close helper (g++, libx11-dev)"
gui_start_xvfb
(cd "$folder" && exec "$program") 2>"$work/program.log" &
program_pid=$!

wid=$(gui_find_window '^Form1$' 15) || fail "no window titled Form1 appeared within 15 s"
sleep 0.5
kill -0 "$program_pid" 2>/dev/null || fail "kelvo8 exited right after opening its window"

# Whether it was drawn is checked pixel by pixel below.
start_png="$shots/kelvo8-start.png"
gui_wait_drawn "$wid" 20 30 "$start_png" || true
[[ "$WIN_W" -eq 718 && "$WIN_H" -eq 544 ]] ||
  fail "client area is ${WIN_W}x${WIN_H}, expected 718x544 (10770 x 8160 twips)"

# Spots that show the layout and colours came out right: picture boxes
# (their image's byte order), coloured check boxes, a line of the diagram.
check_pixel() {  # X Y EXPECTED WHAT
  local got
  got=$(gui_pixel "$start_png" "$1" "$2")
  [[ "$got" == "$3" ]] || fail "$4 at ($1,$2) is $got, expected $3 (see $start_png)"
}
check_pixel 20 30 192,192,255 "Picture1"
check_pixel 20 320 192,192,255 "pPicture2"
check_pixel 180 320 192,192,255 "pPicture3"
check_pixel 300 500 0,0,255 "Picture3"
check_pixel 494 186 128,128,255 "Check2 (Rotate) background"
check_pixel 494 122 255,128,255 "Check20 (Random) background"
check_pixel 456 250 0,0,0 "Line3 of the diagram"

# Escape closes an FLTK window unless the program stops it.
gui_geometry "$wid" || fail "window geometry unavailable"
xdotool mousemove "$((WIN_X + 700))" "$((WIN_Y + 500))" key Escape
sleep 0.3
kill -0 "$program_pid" 2>/dev/null || fail "Escape closed the window"

# File1 sits at (608, 16) px; its first line is just inside the 2-px frame.
xdotool mousemove "$((WIN_X + 620))" "$((WIN_Y + 24))" click 1
if ! gui_wait_title "$wid" "$expected" 15; then
  fail "title is '$GUI_TITLE' after clicking $first_model, expected '$expected'"
fi
sleep 0.5
kill -0 "$program_pid" 2>/dev/null || fail "kelvo8 exited while rendering $first_model"
gui_screenshot "$wid" "$shots/kelvo8-model.png" || fail "screenshot failed"

click() { xdotool mousemove "$((WIN_X + $1))" "$((WIN_Y + $2))" click 1; }
crop_sum() {  # FILE W H X Y
  convert "$1" -crop "$2x$3+$4+$5" +repage rgb:- | md5sum
}

# The window repaints only what changed in a picture, so after frames of
# the model turning, the screen must still match the image pixel for pixel.
# "autorotate" off and an angle typed into Text3: every frame draws the same
# picture, which kelvo-render draws too.
click 16 512                                                # Check7 "autorotate"
sleep 0.3
click 350 145                                               # Text3: its text replaced
xdotool key End shift+Home
xdotool type --delay 20 "45"
"$build_dir/bin/kelvo-render" --set Check7=0 --set Text3=45 --model "$folder/$first_model" \
  --frames 2 --snapshot "Picture1=$work/still.png" || fail "kelvo-render could not draw the still picture"
still=$(convert "$work/still.png" rgb:- | md5sum)
deadline=$((SECONDS + 10))
until gui_screenshot "$wid" "$work/still-window.png" &&
  [[ $(crop_sum "$work/still-window.png" 317 229 10 18) == "$still" ]]; do
  ((SECONDS < deadline)) ||
    fail "Picture1 on screen differs from the image at angle 45 (see $work/still-window.png, $work/still.png)"
  sleep 0.3
done
click 16 512                                                # turning again

# The loop runs: with "Wired" ticked the main view shows outlines, and once a
# second the meter writes FPS (Text2) and AVG (Text5), so both change from
# their "0" at start.
text2=(41 19 376 48)
text5=(41 19 376 24)
text2_start=$(crop_sum "$start_png" "${text2[@]}")
text5_start=$(crop_sum "$start_png" "${text5[@]}")
click 374 280  # Check3 "Wired"
deadline=$((SECONDS + 10))
while :; do
  gui_screenshot "$wid" "$work/running.png" || fail "screenshot failed"
  colours=$(convert "$work/running.png" -crop 317x229+10+18 +repage -format %k info:)
  [[ $colours -gt 1 &&
    $(crop_sum "$work/running.png" "${text2[@]}") != "$text2_start" &&
    $(crop_sum "$work/running.png" "${text5[@]}") != "$text5_start" ]] && break
  ((SECONDS < deadline)) ||
    fail "after 10 s of running: Picture1 has $colours colour(s), FPS or AVG unchanged (see $work/running.png)"
  sleep 0.3
done
cp "$work/running.png" "$shots/kelvo8-wired.png"

# "Textured" ticked while the loop runs: at its first triangle the renderer
# cuts the texture's lower-right half to pure blue, and Picture5, at
# (136, 472), shows it.
click 514 280  # Check15 "Textured"
deadline=$((SECONDS + 10))
until gui_screenshot "$wid" "$work/textured.png" &&
  [[ $(gui_pixel "$work/textured.png" 166 502) == 0,0,255 ]]; do
  ((SECONDS < deadline)) ||
    fail "Picture5 shows no cut 10 s after ticking Textured (see $work/textured.png)"
  sleep 0.3
done
cp "$work/textured.png" "$shots/kelvo8-textured.png"

# User actions while the loop runs. A widget shows its control's state after
# the click, so a check box clicked twice looks as before, and selecting
# Option2 clears Option1. The screen is polled, not read after a fixed pause,
# so a slow machine only takes longer.
region() {  # W H X Y: a checksum of that part of the window as it is now
  gui_screenshot "$wid" "$work/region.png" || fail "screenshot failed"
  crop_sum "$work/region.png" "$@"
}
wait_region() {  # W H X Y is|isnot SUM: 0 once the region's checksum compares so
  local deadline=$((SECONDS + 5)) now
  while :; do
    now=$(region "$1" "$2" "$3" "$4")
    [[ "$5" == is && "$now" == "$6" ]] && return 0
    [[ "$5" == isnot && "$now" != "$6" ]] && return 0
    ((SECONDS >= deadline)) && return 1
    sleep 0.1
  done
}
check3=(73 17 344 272)
option1=(81 17 512 168)
check3_before=$(region "${check3[@]}")
option1_before=$(region "${option1[@]}")
click 374 280  # Check3 "Wired"
wait_region "${check3[@]}" isnot "$check3_before" || fail "Check3 looks the same after a click"
click 374 280
wait_region "${check3[@]}" is "$check3_before" ||
  fail "Check3 does not look as before after two clicks"
click 540 192  # Option2
wait_region "${option1[@]}" isnot "$option1_before" ||
  fail "Option1 still looks selected after a click on Option2"

xdotool mousemove "$((WIN_X + 70))" "$((WIN_Y + 264))" mousedown 1 \
  mousemove "$((WIN_X + 120))" "$((WIN_Y + 264))" mousemove "$((WIN_X + 170))" "$((WIN_Y + 264))" \
  mouseup 1                        # drag the thumb of HScroll1
click 282 264                      # its right arrow
click 510 33                       # Text7
xdotool type --delay 20 "0.5"
for _ in $(seq 1 20); do           # Start again and again: the loop restarts
  xdotool mousemove "$((WIN_X + 456))" "$((WIN_Y + 438))" click 1
  sleep 0.02
done
sleep 0.5
kill -0 "$program_pid" 2>/dev/null || fail "kelvo8 exited during clicks, drags and typing"
gui_wait_title "$wid" "$expected" 2 || fail "title changed to '$GUI_TITLE' by clicks elsewhere"

# The close request arrives while the render loop runs; the program must end
# at once, with exit code 0.
closed_at=$(date +%s%N)
gui_close "$wid" || fail "sending the close request failed"
gui_wait_exit "$program_pid" 1000 ||
  fail "kelvo8 still runs 1 s after the close request"
elapsed_ms=$((($(date +%s%N) - closed_at) / 1000000))
wait "$program_pid"
status=$?
program_pid=""
[[ $status -eq 0 ]] || fail "kelvo8 exited with status $status"

echo "PASS: window laid out, $first_model loaded ($expected triangles)," \
  "closed in ${elapsed_ms} ms; screenshots in $shots"
