#pragma once
// The perspective divide of one row's view x and y, in place: the eye stands
// `eye` pixels in front of the plane z = 0, so a point at z = 0 keeps its
// place and one at z = eye moves halfway to the centre. Kept apart from the
// loop over the rows so that the turn can project each row as it makes it.

#include <emmintrin.h>

#include <cstring>

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

  void apply(float* row) const {
    // d = z / eye in single for the three vertices at once (the fourth lane
    // repeats the third).
    const __m128 z = _mm_set_ps(row[kViewZ3], row[kViewZ3], row[kViewZ2], row[kViewZ1]);
    alignas(16) float d[4];
    _mm_store_ps(d, _mm_div_ps(z, eye_));
    const __m128d one = _mm_set1_pd(1.0);
    for (int v = 0; v < 3; ++v) {
      float* xy = row + kViewX1 + 3 * v;
      // x and y sit side by side: both divided by d + 1 in one double-precision
      // divide, then rounded to single (infinity beyond its range). Nothing
      // guards z = -eye or beyond: the point goes to infinity or is mirrored,
      // which the renderers then skip or draw as such.
      const __m128d divisor = _mm_add_pd(_mm_set1_pd(double{d[v]}), one);
      const __m128d quotient = _mm_div_pd(_mm_cvtps_pd(load_pair(xy)), divisor);
      store_pair(xy, _mm_cvtpd_ps(quotient));
    }
  }

  // The same divide of vertices held in lanes, x, y and z of vertices 1, 2
  // and 3 in lanes 0, 1 and 2 (lane 3 is left as anything).
  void apply(__m128& x, __m128& y, __m128 z) const {
    const __m128d one = _mm_set1_pd(1.0);
    const __m128 d = _mm_div_ps(z, eye_);
    const __m128d divisor12 = _mm_add_pd(_mm_cvtps_pd(d), one);
    const __m128d divisor3 = _mm_add_pd(_mm_cvtps_pd(_mm_movehl_ps(d, d)), one);
    const __m128 x12 = _mm_cvtpd_ps(_mm_div_pd(_mm_cvtps_pd(x), divisor12));
    const __m128 y12 = _mm_cvtpd_ps(_mm_div_pd(_mm_cvtps_pd(y), divisor12));
    // x3 and y3 side by side, to share one divide as above.
    const __m128 xy3 =
        _mm_cvtpd_ps(_mm_div_pd(_mm_cvtps_pd(_mm_unpackhi_ps(x, y)), divisor3));
    x = _mm_movelh_ps(x12, xy3);
    y = _mm_movelh_ps(y12, _mm_shuffle_ps(xy3, xy3, _MM_SHUFFLE(1, 1, 1, 1)));
  }

 private:
  // Two neighbouring floats in the low half of a register, and back.
  static __m128 load_pair(const float* p) {
    double pair;
    std::memcpy(&pair, p, sizeof pair);
    return _mm_castpd_ps(_mm_set_sd(pair));
  }
  static void store_pair(float* p, __m128 v) {
    const double pair = _mm_cvtsd_f64(_mm_castps_pd(v));
    std::memcpy(p, &pair, sizeof pair);
  }

  __m128 eye_;
};

}  // namespace b3d
