#!/usr/bin/env bash
# Pieces for driving a program's window under Xvfb: start and stop the
# server, find a window, crop a screenshot of it, read a pixel, wait for a
# title, ask the window to close.
#
# Sourced: the gui_* functions below, for other scripts.
# Run:     xvfb-window.sh BUILD_DIR OUT.png [SECONDS]
#          starts Xvfb, runs BUILD_DIR/bin/kelvo8 in BUILD_DIR/bin, waits
#          SECONDS (default 2), saves the window as OUT.png and closes it.
#
# Needs: Xvfb, xdpyinfo, xdotool, xwd, convert (ImageMagick), g++ and Xlib
# headers for the close helper.

GUI_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
XVFB_PID=""

gui_fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Programs are run as "$GUI_RUNNER ./NAME$GUI_EXE_SUFFIX": set to "wine" and
# ".exe" for the Windows build.
gui_command() {
  echo "${GUI_RUNNER:+$GUI_RUNNER }$1${GUI_EXE_SUFFIX:-}"
}

# Starts Xvfb on the first free display from 77 on and exports DISPLAY.
# With KELVO_GUI_DISPLAY set, uses that display, which the caller runs (a
# Wine server serves one display only).
gui_start_xvfb() {
  if [[ -n "${KELVO_GUI_DISPLAY:-}" ]]; then
    export DISPLAY=$KELVO_GUI_DISPLAY
    return 0
  fi
  local n
  for n in $(seq 77 140); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    local tries
    for tries in $(seq 1 100); do
      if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      # Lost a race for the display: try the next one.
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=""
  done
  gui_fail "could not start Xvfb on any display from :77 to :140"
}

gui_stop_xvfb() {
  if [[ -n "$XVFB_PID" ]]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=""
  fi
}

# A GUI test's one argument, its build folder: sets $build_dir and $bin, and
# $shots, the folder for its screenshots ($SCREENSHOT_DIR, default /tmp).
gui_test_folders() {
  [[ $# -eq 1 ]] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
  build_dir=$(cd "$1" 2>/dev/null && pwd) || gui_fail "no build folder $1"
  bin="$build_dir/bin"
  shots=${SCREENSHOT_DIR:-/tmp}
  mkdir -p "$shots" || gui_fail "cannot create $shots"
}

# gui_session: makes the scratch folder $work (where the close helper is
# built too) and sets $program_pid empty; on exit it kills the program whose
# pid the caller put in $program_pid, stops Xvfb and removes $work.
gui_session() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/kelvo-gui.XXXXXX")
  export GUI_HELPER_DIR=$work
  program_pid=""
  trap gui_end_session EXIT
  trap 'exit 1' INT TERM
}

gui_end_session() {
  if [[ -n "${program_pid:-}" ]]; then
    kill "$program_pid" 2>/dev/null
    wait "$program_pid" 2>/dev/null
  fi
  gui_stop_xvfb
  rm -rf "$work"
}

# gui_launch BIN_DIR PROGRAM: starts PROGRAM in BIN_DIR, whose models its list
# then shows; puts its pid in $program_pid and its window's id in $wid, and
# sets the window's geometry (gui_geometry).
gui_launch() {
  (cd "$1" && exec "./$2") &
  program_pid=$!
  wid=$(gui_find_window '^Form1$' 15) || return 1
  gui_geometry "$wid"
}

# gui_read_layout BIN_DIR EDITION: fills the arrays left, top, width and
# height with the place in pixels of every control of that edition's window
# (Form1: the client area), and layout_controls with their names in order,
# from kelvo-render --dump-layout; 1 when it gave none.
gui_read_layout() {
  unset left top width height
  declare -gA left=() top=() width=() height=()
  layout_controls=()
  local control l t w h
  while read -r control l t w h; do
    left[$control]=$((l / 15)) top[$control]=$((t / 15))
    width[$control]=$((w / 15)) height[$control]=$((h / 15))
    [[ "$control" != Form1 ]] && layout_controls+=("$control")
  done < <($(gui_command "$1/kelvo-render") --edition "$2" --dump-layout -)
  [[ -n "${left[File1]:-}" && -n "${left[Picture1]:-}" ]]
}

# gui_find_window NAME_REGEX [TIMEOUT_S]: prints the id of the first window
# whose name matches.
gui_find_window() {
  local id
  id=$(timeout "${2:-10}" xdotool search --sync --name "$1" 2>/dev/null | head -n 1)
  [[ -n "$id" ]] || return 1
  echo "$id"
}

# gui_geometry WINDOW_ID: sets WIN_X, WIN_Y (screen position of the client
# area) and WIN_W, WIN_H. Without a window manager the window is not
# reparented, so this is where it sits on the screen. A program that draws
# its own frame inside its X window (Wine's) says how wide the frame is in
# GUI_FRAME_SIDE (left, right, bottom) and GUI_FRAME_TOP (the title bar).
gui_geometry() {
  local X Y WIDTH HEIGHT SCREEN WINDOW side=${GUI_FRAME_SIDE:-0} top=${GUI_FRAME_TOP:-0}
  eval "$(xdotool getwindowgeometry --shell "$1")" || return 1
  WIN_X=$((X + side)) WIN_Y=$((Y + top)) WIN_W=$((WIDTH - 2 * side)) WIN_H=$((HEIGHT - top - side))
  [[ -n "$WIN_W" && "$WIN_W" -gt 0 ]]
}

# gui_screenshot WINDOW_ID OUT.png: the window's area of the screen.
gui_screenshot() {
  gui_geometry "$1" || return 1
  xwd -root -silent | convert xwd:- -crop "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}" +repage "png:$2"
}

# gui_pixel PNG X Y: prints "R,G,B" (0..255) of a pixel of an image.
gui_pixel() {
  local p="p{$2,$3}"
  convert "$1" -format "%[fx:round(255*$p.r)],%[fx:round(255*$p.g)],%[fx:round(255*$p.b)]" info:
}

# gui_wait_drawn WINDOW_ID X Y PNG: the window is mapped before it is drawn;
# waits up to 10 s until the pixel at (X, Y), inside Picture1, shows the
# picture's light blue. The last screenshot is left in PNG; 1 when it never
# showed.
gui_wait_drawn() {
  local deadline=$((SECONDS + 10))
  until gui_screenshot "$1" "$4" && [[ $(gui_pixel "$4" "$2" "$3") == 192,192,255 ]]; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}

# gui_wait_title WINDOW_ID EXPECTED TIMEOUT_S: polls the title; 0 when it
# equals EXPECTED in time. The last title seen is left in GUI_TITLE.
gui_wait_title() {
  local deadline=$((SECONDS + $3))
  while :; do
    GUI_TITLE=$(xdotool getwindowname "$1" 2>/dev/null)
    [[ "$GUI_TITLE" == "$2" ]] && return 0
    ((SECONDS >= deadline)) && return 1
    sleep 0.05
  done
}

# gui_close_helper: builds, once, the helper that sends the close request,
# and prints its path.
gui_close_helper() {
  local helper="${GUI_HELPER_DIR:-${TMPDIR:-/tmp}}/kelvo_wm_close"
  if [[ ! -x "$helper" || "$helper" -ot "$GUI_DIR/wm_close.cpp" ]]; then
    g++ -O1 -o "$helper.$$" "$GUI_DIR/wm_close.cpp" -lX11 && mv -f "$helper.$$" "$helper" ||
      return 1
  fi
  echo "$helper"
}

# gui_close WINDOW_ID: a window manager's close request (WM_DELETE_WINDOW),
# so the program runs its own close handling.
gui_close() {
  local helper
  helper=$(gui_close_helper) || return 1
  "$helper" "$1"
}

# gui_wait_exit PID TIMEOUT_MS: 0 when the process has gone in time.
gui_wait_exit() {
  local waited=0
  while kill -0 "$1" 2>/dev/null; do
    ((waited >= $2)) && return 1
    sleep 0.02
    waited=$((waited + 20))
  done
  return 0
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
  set -u
  [[ $# -ge 2 ]] || { echo "usage: $0 BUILD_DIR OUT.png [SECONDS]" >&2; exit 2; }
  build_dir=$(cd "$1" && pwd) || gui_fail "no build folder $1"
  out=$2
  wait_s=${3:-2}
  program="$build_dir/bin/kelvo8"
  [[ -x "$program" ]] || gui_fail "$program is not built"
  gui_session
  gui_start_xvfb
  gui_launch "$build_dir/bin" kelvo8 || gui_fail "no window named Form1 appeared"
  sleep "$wait_s"
  gui_screenshot "$wid" "$out" || gui_fail "screenshot failed"
  gui_close "$wid" || gui_fail "close request failed"
  gui_wait_exit "$program_pid" 2000 || gui_fail "kelvo8 did not exit after the close request"
  program_pid=""
  echo "saved $out"
fi
