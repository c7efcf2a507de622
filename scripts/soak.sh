#!/usr/bin/env bash
# Soak: every edition runs many frames in kelvo-render while a scripted user
# toggles every check box, moves every scroll bar across and beyond its
# range, types numbers and non-numbers into the text boxes, presses "Start",
# clicks model files (each a restart) and finally closes the window. Memory
# is read at every tenth of the run. Passes when every run reaches its close
# with exit status 0, or 1 for the program's own error messages (printed,
# counted); when resident memory at the end is within 16 MB of the most of
# the first half; and when the stack stays under 64 KB. Memory moves by 2.8 MB
# as the 19000-triangle model comes and goes, and the buffers the renderers
# keep from frame to frame grow to the largest scene seen so far (by up to
# about 10 MB), then no further: the bound catches growth without end, and
# LeakSanitizer, on an AddressSanitizer build with --no-memory-check, every
# leak.
#
#   scripts/soak.sh [--frames N] [--build DIR] [--no-memory-check] [--seed S]
#
# The memory check is for normal builds; a sanitizer's memory grows by design.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
frames=5000
build="$root/build"
memory_check=1
seed=${SOAK_SEED:-$RANDOM}
while (($#)); do
  case $1 in
    --frames) frames=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --no-memory-check) memory_check=0; shift ;;
    --seed) seed=$2; shift 2 ;;
    *) echo "soak.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
bin="$build/bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "soak: $frames frames per edition, seed $seed, $bin"

# The event script of one edition, from the names of the controls it shows.
write_script() {
  local edition=$1
  (cd "$bin" && ./kelvo-render --edition "$edition" --dump-layout -) | awk '{print $1}' |
    awk -v frames="$frames" -v seed="$((seed + edition))" -v memory=1 \
      -f "$root/scripts/random_events.awk" >"$work/events$edition.txt"
}

status=0
for edition in 1 2 3 4 5 6 7 8 9 10; do
  write_script "$edition"
  set +e
  (cd "$bin" && ./kelvo-render --edition "$edition" --events "$work/events$edition.txt") \
    >"$work/out$edition.txt" 2>"$work/err$edition.txt"
  code=$?
  set -e
  # Memory lines: "frame F memory resident R KB peak P KB stack S bytes".
  peaks=$(awk '/memory/ {printf "%s/%s ", $5, $8}' "$work/out$edition.txt")
  read -r last_frame first_half last_resident last_stack < <(awk '/memory/ {n++; f[n]=$2; r[n]=$5; s[n]=$11}
    END {m = 0; for (k = 1; k <= n / 2; ++k) if (r[k] > m) m = r[k]; print f[n], m, r[n], s[n]}' \
    "$work/out$edition.txt")
  messages=$(wc -l <"$work/err$edition.txt")
  echo "edition $edition: exit $code, frames ${last_frame:-?}, stack ${last_stack:-?} bytes," \
    "$messages messages; memory at each tenth, resident/peak KB: $peaks"
  sort "$work/err$edition.txt" | uniq -c | sort -rn | head -5 | sed 's/^/    /'
  fail=""
  if ((code != 0 && code != 1)); then fail="exit status $code"; fi
  if [[ -z $last_frame ]] || ((last_frame < frames * 9 / 10)); then fail="ended early, at frame ${last_frame:-?}"; fi
  if ((memory_check)) && ((last_resident > first_half + 16384)); then fail="memory crept upwards"; fi
  if ((last_stack > 65536)); then fail="stack of $last_stack bytes"; fi
  if grep -qv '^kelvo-render: ' "$work/err$edition.txt"; then fail="output not from the program"; fi
  if [[ -n $fail ]]; then
    echo "edition $edition FAILED: $fail (seed $seed)"
    head -20 "$work/err$edition.txt"
    status=1
  fi
done
exit $status
