// ProjectModel: the perspective divide of the view x and y, in place.

#include <emmintrin.h>

#include <cstring>

#include "b3d/b3d.h"
#include "b3d/two_threads.h"

namespace b3d {

namespace {

// Two neighbouring floats in the low half of a register, and back.
__m128 load_pair(const float* p) {
  double pair;
  std::memcpy(&pair, p, sizeof pair);
  return _mm_castpd_ps(_mm_set_sd(pair));
}
void store_pair(float* p, __m128 v) {
  const double pair = _mm_cvtsd_f64(_mm_castps_pd(v));
  std::memcpy(p, &pair, sizeof pair);
}

}  // namespace

void B3D::ProjectModel() {
  if (!TriangleTable) return;
  // The eye stands P pixels in front of the plane z = 0: a point at z = 0
  // keeps its place, one at z = P moves halfway to the centre.
  const float p = static_cast<float>(c_.HScroll5.Value());
  const __m128 eye = _mm_set1_ps(p);
  const __m128d one = _mm_set1_pd(1.0);
  Table& table = *TriangleTable;
  over_rows(helper(), 0, table.upper_row() + 1, [&](int begin, int end) {
    for (int r = begin; r < end; ++r) {
      float* row = table.row(r);
      // d = z / P in single for the three vertices at once (the fourth lane
      // repeats the third).
      const __m128 z = _mm_set_ps(row[kViewZ3], row[kViewZ3], row[kViewZ2], row[kViewZ1]);
      alignas(16) float d[4];
      _mm_store_ps(d, _mm_div_ps(z, eye));
      for (int v = 0; v < 3; ++v) {
        float* xy = row + kViewX1 + 3 * v;
        // x and y sit side by side: both divided by d + 1 in one double-precision
        // divide, then rounded to single (infinity beyond its range). Nothing
        // guards z = -P or beyond: the point goes to infinity or is mirrored,
        // which the renderers then skip or draw as such.
        const __m128d divisor = _mm_add_pd(_mm_set1_pd(double{d[v]}), one);
        const __m128d quotient = _mm_div_pd(_mm_cvtps_pd(load_pair(xy)), divisor);
        store_pair(xy, _mm_cvtpd_ps(quotient));
      }
    }
  });
}

}  // namespace b3d
