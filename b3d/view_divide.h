#pragma once
// The perspective divide of one row's view x and y, in place: the eye stands
// `eye` pixels in front of the plane z = 0, so a point at z = 0 keeps its
// place and one at z = eye moves halfway to the centre. Kept apart from the
// loop over the rows so that the turn can project each row as it makes it,
// from the lanes it holds the vertices in.

#include <emmintrin.h>

#include "b3d/triangle_table.h"

namespace b3d {

// In place of a Perspective: the turn alone.
struct NoPerspective {
  void apply(float*) const {}
  void apply(__m128&, __m128&, __m128) const {}
};

class Perspective {
 public:
  explicit Perspective(float eye) : eye_(_mm_set1_ps(eye)) {}

  // The divide of a row's three vertices, in place.
  void apply(float* row) const {
    const auto lanes = [row](int column) {
      return _mm_set_ps(row[column + 6], row[column + 6], row[column + 3], row[column]);
    };
    __m128 x = lanes(kViewX1), y = lanes(kViewY1);
    apply(x, y, lanes(kViewZ1));
    alignas(16) float xs[4], ys[4];
    _mm_store_ps(xs, x);
    _mm_store_ps(ys, y);
    for (int v = 0; v < 3; ++v) {
      row[kViewX1 + 3 * v] = xs[v];
      row[kViewY1 + 3 * v] = ys[v];
    }
  }

  // The divide of vertices held in lanes, x, y and z of vertices 1, 2 and 3
  // in lanes 0, 1 and 2 (lane 3 is left as anything): d = z / eye in
  // single, then x and y divided by d + 1 in double and rounded to single
  // (infinity beyond its range). Nothing guards z = -eye or beyond: the
  // point goes to infinity or is mirrored, which the renderers then skip or
  // draw as such.
  void apply(__m128& x, __m128& y, __m128 z) const {
    const __m128d one = _mm_set1_pd(1.0);
    const __m128 d = _mm_div_ps(z, eye_);
    const __m128d divisor12 = _mm_add_pd(_mm_cvtps_pd(d), one);
    const __m128d divisor3 = _mm_add_pd(_mm_cvtps_pd(_mm_movehl_ps(d, d)), one);
    const __m128 x12 = _mm_cvtpd_ps(_mm_div_pd(_mm_cvtps_pd(x), divisor12));
    const __m128 y12 = _mm_cvtpd_ps(_mm_div_pd(_mm_cvtps_pd(y), divisor12));
    // x3 and y3 side by side, to share one divide.
    const __m128 xy3 =
        _mm_cvtpd_ps(_mm_div_pd(_mm_cvtps_pd(_mm_unpackhi_ps(x, y)), divisor3));
    x = _mm_movelh_ps(x12, xy3);
    y = _mm_movelh_ps(y12, _mm_shuffle_ps(xy3, xy3, _MM_SHUFFLE(1, 1, 1, 1)));
  }

 private:
  __m128 eye_;
};

}  // namespace b3d
