#!/usr/bin/env bash
# Runs kelvo8 under Xvfb as a user would on a desktop: opens it in the folder
# of the sample models, clicks the first model in the list, lets it spin for
# a moment, saves a screenshot of the window and closes it.
#
#   scripts/run-headless.sh BUILD_DIR OUT.png

set -u
source "$(dirname "${BASH_SOURCE[0]}")/xvfb-window.sh"

[[ $# -eq 2 ]] || { echo "usage: $0 BUILD_DIR OUT.png" >&2; exit 2; }
build_dir=$(cd "$1" 2>/dev/null && pwd) || gui_fail "no build folder $1"
out=$2
gui_session
gui_close_helper >/dev/null || gui_fail "cannot build the close helper (g++, libx11-dev)"
gui_start_xvfb
gui_launch "$build_dir/bin" kelvo8 || gui_fail "no kelvo8 window appeared"

# The first line of the model list (File1 at 608, 16 px).
xdotool mousemove "$((WIN_X + 620))" "$((WIN_Y + 24))" click 1
gui_wait_title "$wid" "12" 15 || echo "note: the window title reads '$GUI_TITLE'" >&2
sleep 2
gui_screenshot "$wid" "$out" || gui_fail "screenshot failed"
gui_close "$wid" || gui_fail "close request failed"
gui_wait_exit "$program_pid" 2000 || gui_fail "kelvo8 did not end after the close request"
program_pid=""
