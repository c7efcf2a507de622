# A random user's session for kelvo-render --events, from the names of the
# controls an edition shows (the first words of kelvo-render --dump-layout):
# every model clicked, then check boxes, scroll bars within and beyond their
# range, numbers and non-numbers typed, option buttons, "Start", models and
# ticks at random until the close at frame `frames`.
#
#   awk -v frames=N -v seed=S [-v memory=1] -f random_events.awk NAMES
#
# memory=1 adds a memory report at every tenth of the run.
/^Check/ { checks[nc++] = $1 } /^HScroll/ { bars[nb++] = $1 }
/^Text/ { texts[nt++] = $1 } /^Option/ { options[no++] = $1 }
function pick(n) { return int(rand() * n) }
END {
  srand(seed)
  # Numbers stay small: a pacing count of 1E99 makes every frame sleep
  # for ever in 5 ms steps, as the pacing rule says, and no frame would
  # end for the script to go on.
  split("12|-3|abc|2.5E1|3.5|&HFF|x9|0| 7 |-|.|1E-30|360", typed, "|")
  # Every model once before the baseline, the largest included.
  print "1 model cube.atl"; print "20 model sphere.atl"; print "40 model torus.atl"
  print "60 model torus19000.atl"; print "80 model torus.atl"
  if (memory) for (k = 1; k <= 10; ++k) print int(frames * k / 10) - 5, "memory"
  for (f = 110; f < frames - 10; f += 1 + pick(6)) {
    r = rand()
    if (r < 0.35 && nc) print f, "click", checks[pick(nc)]
    else if (r < 0.50 && nb) print f, (rand() < 0.5 ? "scroll" : "change"), bars[pick(nb)], pick(1400) - 200
    else if (r < 0.65 && nt) {
      box = texts[pick(nt)]
      print f, "type", box, typed[1 + pick(13)]
      # A number again a little later, and "Start", in case the
      # loop stopped at what was typed.
      print f + 3, "type", box, pick(100); print f + 3, "click Command1"; f += 3
    }
    else if (r < 0.70 && no) print f, "click", options[pick(no)]
    else if (r < 0.75) print f, "click Command1"
    else if (r < 0.80) print f, "model", (rand() < 0.05 ? "torus19000.atl" : (rand() < 0.5 ? "cube.atl" : "torus.atl"))
    else if (r < 0.90) print f, "tick"
  }
  print frames, "close"
}
