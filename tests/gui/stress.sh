#!/usr/bin/env bash
# kelvo8 and kelvo10 under Xvfb, hammered by a random stream of user actions
# while the render loop runs: clicks on every check box and option button,
# drags and arrow clicks on the scroll bars, numbers and garbage typed into
# the text boxes, "Start" and other models clicked again and again, clicks on
# the pictures and on empty parts of the window. Every few seconds the script
# checks that the program still lives and still draws frames (its FPS box,
# Text2, read back through the primary selection, shows frames counted). A
# message box that appears (a bad typed value stops the loop) is dismissed
# with Enter, the text box it names is given a number again and "Start"
# clicked, as a user would. At the end the window's close request must end
# the program within a second with status 0.
#
#   tests/gui/stress.sh BUILD_DIR [SECONDS]
#
#   SECONDS            how long the stream runs on each program (default 60,
#                      or $KELVO_STRESS_SECONDS)
#   KELVO_STRESS_SEED  the random seed (default: one drawn and printed, so a
#                      failing run can be replayed with the same actions)
#   KELVO_STRESS_PROGRAMS  the programs to drive (default "kelvo8 kelvo10")
#
# Exit 0 on success; otherwise a FAIL line says what broke, with the seed
# and the last actions.

set -u
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xvfb-window.sh"

[[ $# -ge 1 && $# -le 2 ]] || { echo "usage: $0 BUILD_DIR [SECONDS]" >&2; exit 2; }
build_dir=$(cd "$1" 2>/dev/null && pwd) || gui_fail "no build folder $1"
bin="$build_dir/bin"
duration=${2:-${KELVO_STRESS_SECONDS:-60}}
[[ "$duration" =~ ^[0-9]+$ ]] || gui_fail "SECONDS must be a whole number, not '$duration'"
seed=${KELVO_STRESS_SEED:-$(((RANDOM << 15 | RANDOM) % 1000000))}
[[ "$seed" =~ ^[0-9]+$ ]] || gui_fail "KELVO_STRESS_SEED must be a whole number"
programs=${KELVO_STRESS_PROGRAMS:-kelvo8 kelvo10}
echo "stress: seed $seed, $duration s a program (replay: KELVO_STRESS_SEED=$seed $0 $1 $duration)"
# bash's own generator, seeded: the same seed gives the same actions.
RANDOM=$seed

models=(cube.atl sphere.atl torus.atl torus19000.atl)
for f in "${models[@]}"; do [[ -f "$bin/$f" ]] || gui_fail "$bin/$f is missing"; done
# The list shows the folder's models sorted; remember each one's line.
mapfile -t listed < <(cd "$bin" && ls -1 -- *.[aA][tT][lL] | LC_ALL=C sort -f)
line_of() {  # MODEL: its 0-based line in the list
  local i
  for i in "${!listed[@]}"; do [[ "${listed[$i]}" == "$1" ]] && { echo "$i"; return; }; done
  echo -1
}
triangles_of() {  # MODEL: the count the title shows once it is loaded
  awk '!/^[#*]/ { n++ } END { t = int(n / 9); print (t > 19000 ? 19000 : t) }' "$bin/$1"
}

gui_session
selection_helper="$work/x_selection"
g++ -O1 -o "$selection_helper" "$GUI_DIR/x_selection.cpp" -lX11 ||
  gui_fail "cannot build the selection reader (g++, libx11-dev)"
gui_close_helper >/dev/null || gui_fail "cannot build the close helper (g++, libx11-dev)"
gui_start_xvfb

# What was done last, for the failure report.
recent=()
note() {
  recent+=("$(printf '%4ds %s' "$((SECONDS - started))" "$*")")
  ((${#recent[@]} > 25)) && recent=("${recent[@]:1}")
  actions=$((actions + 1))
}
fail() {
  echo "--- seed $seed; the last actions on $name:" >&2
  printf '  %s\n' "${recent[@]}" >&2
  if [[ -s "$work/program.log" ]]; then
    echo "--- $name stderr:" >&2
    tail -n 20 "$work/program.log" >&2
  fi
  gui_fail "$name: $* (seed $seed)"
}

typed_values=("12" "-3" "abc" "1e99" "" "0" "7.5" "99999999999999999999999999999999"
  "123456789012345678901234567890123456789012345678901234567890" "-" "1e308" "1,5" " 4 " "&H10")

summary=()
for name in $programs; do
  [[ -x "$bin/$name" ]] || gui_fail "$bin/$name is not built"
  edition=${name#kelvo}
  [[ -z "$edition" ]] && edition=1

  gui_read_layout "$bin" "$edition" || gui_fail "$name: kelvo-render gave no layout"
  controls=("${layout_controls[@]}")
  form_w=${width[Form1]} form_h=${height[Form1]}

  actions=0
  recent=()
  started=$SECONDS
  : >"$work/program.log"
  (cd "$bin" && exec "./$name") 2>"$work/program.log" &
  program_pid=$!
  wid=$(gui_find_window '^Form1$' 15) || fail "no window titled Form1 appeared within 15 s"
  gui_wait_drawn "$wid" $((left[Picture1] + 10)) $((top[Picture1] + 10)) "$work/start.png" ||
    fail "the window was not drawn within 10 s"

  # Points in window coordinates; clicks land on the screen.
  click_at() { xdotool mousemove "$((WIN_X + $1))" "$((WIN_Y + $2))" click 1; }
  # inside CONTROL: sets x and y to a random point inside the part of it in
  # the window. Not a command substitution: a subshell's draws would not
  # advance the seeded sequence.
  inside() {
    local c=$1 x0=${left[$1]} y0=${top[$1]} x1 y1
    x1=$((x0 + width[$c])) y1=$((y0 + height[$c]))
    ((x1 > form_w)) && x1=$form_w
    ((y1 > form_h)) && y1=$form_h
    x=$((x0 + 1 + RANDOM % (x1 - x0 - 1 > 0 ? x1 - x0 - 1 : 1)))
    y=$((y0 + 1 + RANDOM % (y1 - y0 - 1 > 0 ? y1 - y0 - 1 : 1)))
  }
  click_model() {  # MODEL
    local line
    line=$(line_of "$1")
    ((line >= 0)) || return
    note "model $1"
    click_at $((left[File1] + 12)) $((top[File1] + 2 + line * 14 + 7))
  }
  type_into() {  # TEXTBOX VALUE: the box's text replaced, keystroke by keystroke
    click_at $((left[$1] + width[$1] / 2)) $((top[$1] + height[$1] / 2))
    xdotool key End shift+Home BackSpace
    [[ -n "$2" ]] && xdotool type --delay 5 -- "$2"
  }

  # The loop starts on a click on torus.atl; the title shows its triangles.
  click_model torus.atl
  gui_wait_title "$wid" "$(triangles_of torus.atl)" 15 ||
    fail "title is '$GUI_TITLE' after clicking torus.atl, expected $(triangles_of torus.atl)"

  # A message box is a window of its own, titled with the program's name.
  dismiss_messages() {
    local dialog shown=0
    while dialog=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n 1) &&
      [[ -n "$dialog" ]]; do
      shown=$((shown + 1))
      ((shown > 20)) && fail "a message box does not go away with Enter"
      note "message box: Enter"
      xdotool windowfocus --sync "$dialog" key Return 2>/dev/null
      sleep 0.1
    done
    ((shown > 0)) || return 1
    messages=$((messages + shown))
    # The box the last message names gets a number again; "Start" runs on.
    local box
    box=$(tail -n 1 "$work/program.log" | grep -o 'Text[0-9]* holds' | head -n 1)
    box=${box% holds}
    if [[ -n "$box" && -n "${left[$box]:-}" ]]; then
      note "mend $box with 0"
      type_into "$box" 0
    fi
    note "Start after the message"
    click_at $((left[Command1] + width[Command1] / 2)) $((top[Command1] + height[Command1] / 2))
    last_alive=$SECONDS
    return 0
  }

  # Alive: the program answers for its selection, and its FPS box shows
  # frames counted in the last second.
  read_fps() {
    xdotool mousemove $((WIN_X + left[Text2] + 8)) $((WIN_Y + top[Text2] + height[Text2] / 2)) \
      click --repeat 2 --delay 40 1
    timeout 5 "$selection_helper" 2>/dev/null
  }

  one_action() {
    local c=${controls[RANDOM % ${#controls[@]}]} x y x2
    case "$c" in
      Check* | Option*)
        inside "$c"
        note "click $c"
        click_at "$x" "$y"
        ;;
      HScroll*)
        local arrow=$((height[$c] > 4 ? height[$c] : 4))
        case $((RANDOM % 4)) in
          0 | 1)
            inside "$c"
            x2=$((left[$c] + RANDOM % width[$c]))
            note "drag $c from $x to $x2"
            xdotool mousemove $((WIN_X + x)) $((WIN_Y + y)) mousedown 1 \
              mousemove $((WIN_X + (x + x2) / 2)) $((WIN_Y + y)) \
              mousemove $((WIN_X + x2)) $((WIN_Y + y)) mouseup 1
            ;;
          2)
            note "click $c left arrow"
            click_at $((left[$c] + arrow / 2)) $((top[$c] + height[$c] / 2))
            ;;
          3)
            note "click $c right arrow"
            click_at $((left[$c] + width[$c] - arrow / 2)) $((top[$c] + height[$c] / 2))
            ;;
        esac
        ;;
      Text*)
        local value=${typed_values[RANDOM % ${#typed_values[@]}]}
        note "type '$value' into $c"
        type_into "$c" "$value"
        ;;
      Command1)
        note "click Start"
        click_at $((left[$c] + width[$c] / 2)) $((top[$c] + height[$c] / 2))
        ;;
      File1)
        click_model "${models[RANDOM % ${#models[@]}]}"
        ;;
      *)
        # Pictures, labels, and now and then anywhere in the window.
        if ((RANDOM % 3 == 0)); then
          x=$((RANDOM % form_w)) y=$((RANDOM % form_h))
          note "click the window at $x,$y"
        else
          inside "$c"
          note "click $c"
        fi
        click_at "$x" "$y"
        ;;
    esac
  }

  messages=0
  last_alive=$SECONDS
  next_check=$((SECONDS + 5))
  stream_start=$SECONDS
  stream_end=$((SECONDS + duration))
  checks=0
  while ((SECONDS < stream_end)); do
    one_action
    kill -0 "$program_pid" 2>/dev/null || {
      wait "$program_pid"
      status=$?
      program_pid=""
      fail "ended during the stream with status $status"
    }
    dismiss_messages
    if ((SECONDS >= next_check)); then
      next_check=$((SECONDS + 5))
      checks=$((checks + 1))
      title=$(xdotool getwindowname "$wid" 2>/dev/null) || fail "its window is gone"
      [[ "$title" =~ ^[0-9]+$ ]] || fail "the title is '$title', not a triangle count"
      fps=$(read_fps)
      note "check: title '$title', FPS box '$fps'"
      if [[ "$fps" =~ ^[0-9]+$ ]] && ((fps > 0)); then
        last_alive=$SECONDS
      elif ! dismiss_messages && ((SECONDS - last_alive > 10)); then
        gui_screenshot "$wid" "$work/stalled.png"
        fail "no frames for $((SECONDS - last_alive)) s (FPS box '$fps'; see $work/stalled.png)"
      fi
      ((checks == 2)) && [[ -n "${SCREENSHOT_DIR:-}" ]] && gui_screenshot "$wid" "$SCREENSHOT_DIR/$name-stress.png"
    fi
  done
  elapsed=$((SECONDS - stream_start))
  dismiss_messages

  # The close request arrives while the loop runs.
  note "close request"
  gui_close "$wid" || fail "sending the close request failed"
  gui_wait_exit "$program_pid" 1000 || fail "still runs 1 s after the close request"
  wait "$program_pid"
  status=$?
  program_pid=""
  ((status == 0)) || fail "exited with status $status after the close request"

  shown=$(grep -c "^$name: " "$work/program.log")
  summary+=("$name: $actions actions in ${elapsed} s ($(awk -v a="$actions" -v s="$elapsed" \
    'BEGIN { printf "%.1f", s ? a / s : 0 }') a second), $messages message box(es), $checks checks")
  if ((shown > 0)); then
    # The messages, with the typed text left out, and how often each came.
    summary+=("$(sed -n "s/^$name: //p" "$work/program.log" | sed 's/holds ".*", /holds ..., /' |
      sort | uniq -c | sed 's/^/    /')")
  fi
done

printf '%s\n' "${summary[@]}"
echo "PASS: $programs lived through ${duration} s of random actions each and closed cleanly (seed $seed)"
