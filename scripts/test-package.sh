#!/usr/bin/env bash
# The Debian package as a user meets it: built from a build folder, checked by
# lintian, installed with apt-get, then used from /usr/bin: kelvo-render and
# kelvo8 answer --help; kelvo8 under Xvfb lists the four sample models and
# spins the torus after a click; kelvo8 DIR with one model converted by
# atl-import lists only that one; a folder that does not exist is named and
# the samples listed instead; the manual pages render without a warning; the
# menu entry validates. The package is removed at the end, also on failure,
# with whatever apt-get brought in for it, and nothing it installed may be
# left.
#
#   scripts/test-package.sh [--build DIR]     (default: build/)
#
# Installing needs root and a machine without kelvo installed; without them
# only the package and lintian are tried, and the rest is skipped with the
# reason. Screenshots go to $SCREENSHOT_DIR (default /tmp):
# package-kelvo8-samples.png, package-kelvo8-folder.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_args=()
[[ $# -eq 0 ]] || build_args=("$@")
source "$root/scripts/xvfb-window.sh"

echo "== Debian package"
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/install-deps.sh" lintian desktop-file-utils man-db
deb=$(bash "$root/scripts/package-deb.sh" "${build_args[@]}")
echo "$deb: $(stat -c %s "$deb") bytes, installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"
lintian --fail-on error "$deb" || gui_fail "lintian reports errors in $deb"

if [[ $(id -u) -ne 0 ]]; then
  echo "SKIP: installing the package needs root"
  exit 0
fi
# Another checkout's run of this test installs the same package: one at a time.
exec 9>/run/lock/kelvo-package-test.lock
flock -w 900 9 || gui_fail "another package test held its lock for 15 minutes"
if dpkg-query -W -f='${Status}' kelvo 2>/dev/null | grep -q installed; then
  echo "SKIP: a kelvo package is installed on this machine; the test would replace it"
  exit 0
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/kelvo-package.XXXXXX")
export GUI_HELPER_DIR=$work
program_pid=""
shots=${SCREENSHOT_DIR:-/tmp}
mkdir -p "$shots"
dpkg-query -W -f='${Package}\n' | sort >"$work/before"
files=$(dpkg-deb -c "$deb" | awk '{ print substr($6, 2) }' | grep -v '/$')

# The machine as it was: the package gone, with what apt-get installed for it.
remove_package() {
  if dpkg-query -W -f='${Status}' kelvo 2>/dev/null | grep -q installed; then
    apt-get purge -y -qq -o DPkg::Lock::Timeout=600 kelvo >"$work/purge.log" 2>&1 ||
      { cat "$work/purge.log" >&2; return 1; }
  fi
  local pulled
  pulled=$(dpkg-query -W -f='${Package}\n' | sort | comm -13 "$work/before" -)
  [[ -z "$pulled" ]] || apt-get purge -y -qq -o DPkg::Lock::Timeout=600 $pulled >/dev/null 2>&1
}
# Every step of the clean-up is tried, whatever failed before it.
finish() {
  set +e
  [[ -z "$program_pid" ]] || { kill "$program_pid" && wait "$program_pid"; } 2>/dev/null
  gui_stop_xvfb
  remove_package
  rm -rf "$work"
}
trap finish EXIT
trap 'exit 1' INT TERM

apt-get install -y -qq -o DPkg::Lock::Timeout=600 "$deb" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log" >&2; gui_fail "apt-get could not install $deb"; }

# Commands, manual pages and the menu entry, from a folder of the user's.
cd "$work"
[[ $(command -v kelvo-render) == /usr/bin/kelvo-render ]] || gui_fail "kelvo-render is not in /usr/bin"
# Whole outputs, not pipes into grep -q, which may cut a writer short.
shows() {  # TEXT COMMAND...: COMMAND's output holds the line TEXT
  local out
  out=$("${@:2}") && grep -qF -x -- "$1" <<<"$out"
}
shows "Usage: kelvo-render [options]" kelvo-render --help || gui_fail "kelvo-render --help"
for program in kelvo kelvo2 kelvo3 kelvo4 kelvo5 kelvo6 kelvo7 kelvo8 kelvo9 kelvo10; do
  shows "Usage: $program [FOLDER]" "$program" --help || gui_fail "$program --help"
done
shows "  kelvo8 ~/models" atl-import --help || gui_fail "atl-import --help"
# Each page renders without a warning, and tells of every option that the
# command's --help lists, and of no other.
options() { grep -oE -- '--[a-z][a-z-]*' | sort -u; }
for page in kelvo8 kelvo-render atl-import; do
  MANWIDTH=200 man --nh --nj --warnings "$page" >"$work/man.txt" 2>"$work/man.err" &&
    [[ -s "$work/man.txt" ]] || gui_fail "man $page shows nothing"
  [[ ! -s "$work/man.err" ]] || { cat "$work/man.err" >&2; gui_fail "man $page warns"; }
  sed -n '/^OPTIONS/,/^[A-Z]/p' "$work/man.txt" | options >"$work/man.options"
  "$page" --help | options >"$work/help.options"
  diff "$work/help.options" "$work/man.options" >&2 ||
    gui_fail "man $page and $page --help differ in their options (< help, > manual)"
done
desktop-file-validate /usr/share/applications/kelvo.desktop || gui_fail "kelvo.desktop is not valid"

# The window: File1 at (608, 16) px; its lines are 14 px high, the first from
# y = 18.
gui_close_helper >/dev/null || gui_fail "cannot build the close helper (g++, libx11-dev)"
# Nothing started here may hold the lock after the script.
gui_start_xvfb 9>&-
start() {  # COMMAND ARGS...: runs it as a user would, finds its window
  "$@" 2>"$work/stderr" 9>&- &
  program_pid=$!
  wid=$(gui_find_window '^Form1$' 15) || gui_fail "no window from $*"
  gui_wait_drawn "$wid" 20 30 "$work/start.png" || gui_fail "$* did not draw its window"
}
click_model() {  # LINE (1 is the first)
  xdotool mousemove "$((WIN_X + 620))" "$((WIN_Y + 25 + 14 * ($1 - 1)))" click 1
}
expect_title() {  # TITLE WHAT
  gui_wait_title "$wid" "$1" 10 || gui_fail "$2: the title is '$GUI_TITLE', expected '$1'"
}
stop() {
  gui_close "$wid" && gui_wait_exit "$program_pid" 2000 || gui_fail "the window did not close"
  program_pid=""
}
view_sum() { convert "$1" -crop 317x229+10+18 +repage rgb:- | md5sum; }

# The installed command lists the samples, in order, and nothing more: each
# line loads its model (the title shows its triangles); a fifth line loads
# nothing, so the fourth's stays.
start kelvo8
line=1
for triangles in 12 760 1000 19000; do
  click_model $line
  expect_title $triangles "kelvo8, line $line of the sample models"
  line=$((line + 1))
done
click_model 5
sleep 0.5
expect_title 19000 "kelvo8, a click below the four sample models"
click_model 3
expect_title 1000 "kelvo8, torus.atl"
gui_screenshot "$wid" "$work/a.png"
sleep 0.5
gui_screenshot "$wid" "$shots/package-kelvo8-samples.png"
[[ $(view_sum "$work/a.png") != $(view_sum "$shots/package-kelvo8-samples.png") ]] ||
  gui_fail "torus.atl does not spin (see $shots/package-kelvo8-samples.png)"
stop

# A folder of the user's, named as people name them, with one model converted
# from OBJ: the list shows it alone.
folder="$work/my models ü"
mkdir -p "$folder"
cat >"$work/cube.obj" <<'OBJ'
v -1 -1 -1
v 1 -1 -1
v 1 1 -1
v -1 1 -1
v -1 -1 1
v 1 -1 1
v 1 1 1
v -1 1 1
f 1 4 3 2
f 5 6 7 8
f 1 2 6 5
f 2 3 7 6
f 3 4 8 7
f 4 1 5 8
OBJ
atl-import "$work/cube.obj" -o "$folder/würfel.atl" --size 120 >/dev/null ||
  gui_fail "atl-import could not convert the cube"
start kelvo8 "$folder"
click_model 1
expect_title 12 "kelvo8 on a folder of the user's"
sleep 0.5
gui_screenshot "$wid" "$shots/package-kelvo8-folder.png"
click_model 2
sleep 0.5
gui_screenshot "$wid" "$work/b.png"
# The second line: blank, in the list's white alone.
[[ $(convert "$work/b.png" -crop 80x14+610+32 +repage -format %k info:) -eq 1 ]] ||
  gui_fail "kelvo8 on a folder of the user's lists more than its one model (see $work/b.png)"
stop

# A folder that is not there: named, with the reason, and the samples listed.
start kelvo8 "$work/no such folder"
grep -qF "cannot list the models in '$work/no such folder': No such file or directory" \
  "$work/stderr" || gui_fail "kelvo8 did not name the missing folder: $(cat "$work/stderr")"
click_model 1
expect_title 12 "kelvo8 on a missing folder"
stop
gui_stop_xvfb

# Removed, nothing of it is left.
remove_package
for f in $files; do
  [[ ! -e "$f" && ! -L "$f" ]] || gui_fail "$f is left after removing the package"
done
[[ ! -e /usr/lib/kelvo && ! -e /usr/share/doc/kelvo ]] || gui_fail "a folder of kelvo is left"
echo "package: built, lintian clean, installed, used, removed"
