#pragma once
// The depth sort's selection sort as it is described, for comparison: keys
// for rows 1..N, then passes i = 1 .. N-1, each selecting the first greatest
// key above -9998 into the index s (kept across passes, starting at 0) and
// exchanging rows s and i through row 0. It has no answer for N = 0.

#include "b3d/triangle_table.h"

inline void selection_sort(b3d::Table& t) {
  const int n = t.upper_row();
  for (int r = 1; r <= n; ++r) t(r, 0) = (t(r, 30) + t(r, 33)) + t(r, 36);
  int s = 0;
  for (int i = 1; i != n; ++i) {
    float best = -9998.0f;
    for (int j = i; j <= n; ++j) {
      if (t(j, 0) > best) {
        s = j;
        best = t(j, 0);
      }
    }
    for (int k = 0; k <= 36; ++k) {
      t(0, k) = t(s, k);
      t(s, k) = t(i, k);
      t(i, k) = t(0, k);
    }
  }
}
