#!/usr/bin/env bash
# kelvo-render.exe under Wine and the Linux kelvo-render, on the same runs,
# must give the same bytes: table and control dumps, pictures, messages and
# exit codes. Every edition, the sample models (the 19000-triangle torus
# among them), hundreds of frames with the meter ticking, and a scripted
# user session of each edition.
#
#   tests/windows/same_results.sh LINUX_BUILD WINDOWS_BUILD [FRAMES]
#
# Needs Wine set up (scripts/wine-session.sh). FRAMES (default 300) is the
# length of each run. Exit 0 when every run matched; otherwise the first
# differences are shown.

set -u
[[ $# -ge 2 ]] || { echo "usage: $0 LINUX_BUILD WINDOWS_BUILD [FRAMES]" >&2; exit 2; }
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
linux=$(cd "$1" && pwd)/bin/kelvo-render
windows=$(cd "$2" && pwd)/bin/kelvo-render.exe
frames=${3:-300}
for program in "$linux" "$windows"; do
  [[ -x "$program" || -f "$program" ]] || { echo "FAIL: $program is not built" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/kelvo-same.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Both run in one folder of models, so names in messages are the same.
cp "$(dirname "$linux")"/*.atl "$work/"

# A user session of edition $1 for $frames frames (scripts/random_events.awk):
# every model, clicks on check boxes and option buttons, scroll bars moved,
# numbers and garbage typed, "Start", meter ticks, then the close.
write_session() {
  "$linux" --edition "$1" --dump-layout - | awk '{ print $1 }' |
    awk -v frames="$frames" -v seed="$1" -f "$here/../../scripts/random_events.awk" \
      >"$work/session$1.txt"
}

runs=0
failures=0
# compare NAME ARGS...: runs both programs in $work with ARGS, where OUT
# stands for an output name each run gets for itself.
compare() {
  local name=$1 side
  shift
  for side in linux windows; do
    local args=("${@//OUT/$side-$name}") program=$linux
    [[ $side == windows ]] && program="wine $windows"
    (cd "$work" && $program "${args[@]}" >"$side-$name.out" 2>"$side-$name.err"
      echo $? >"$side-$name.status")
  done
  runs=$((runs + 1))
  local file differs=""
  for file in "$work"/linux-"$name"*; do
    cmp -s "$file" "${file/linux-/windows-}" || differs+=" ${file##*/linux-$name}"
  done
  if [[ -n "$differs" ]]; then
    failures=$((failures + 1))
    echo "DIFFERENT: $name ($*):$differs" >&2
    for file in out err status; do
      diff "$work/linux-$name.$file" "$work/windows-$name.$file" | head -n 6 >&2
    done
  fi
}

for edition in 1 2 3 4 5 6 7 8 9 10; do
  write_session "$edition"
  layout=$("$linux" --edition "$edition" --dump-layout -)
  extra=()
  # The side views and the textured renderer where the edition has them.
  for control in Check13 Check14 Check15; do
    grep -q "^$control " <<<"$layout" && extra+=(--set "$control=1")
  done
  dumps=(--dump-table OUT.table --dump-controls OUT.controls --snapshot Picture1=OUT.png)
  compare "e$edition-torus19000" --edition "$edition" --model torus19000.atl --frames "$frames" \
    --tick-every 25 "${dumps[@]}"
  compare "e$edition-sphere" --edition "$edition" --model sphere.atl --frames "$((frames / 3))" \
    --set Check3=1 "${extra[@]}" --tick-every 10 "${dumps[@]}"
  compare "e$edition-session" --edition "$edition" --events "session$edition.txt" "${dumps[@]}"
  # Failures the program reports: a loop stopped by a typed word, a file
  # that is no model, a bad option.
  compare "e$edition-typed" --edition "$edition" --set Text3=abc --model cube.atl "${dumps[@]}"
  compare "e$edition-missing" --edition "$edition" --model gone.atl --dump-controls -
  compare "e$edition-option" --edition "$edition" --set HScroll1=999
done

echo "$runs runs of each program, $failures with differences"
((failures == 0))
