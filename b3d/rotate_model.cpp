// RotateModel: the model columns turned by three angles into the view columns.

#include <emmintrin.h>

#include "b3d/b3d.h"
#include "b3d/view_divide.h"
#include "b3d/two_threads.h"
#include "platform/runtime/sine_cosine.h"
#include "platform/runtime/single.h"

namespace b3d {

namespace {

// A sine and cosine in the precision the turn is worked in; our own, so
// that every build turns the model to the same bits.
template <class Real>
struct Turn {
  explicit Turn(float angle)
      : s(static_cast<Real>(runtime::sine(double{angle}))),
        c(static_cast<Real>(runtime::cosine(double{angle}))) {}
  Real s;
  Real c;
};

// In place of a KeyOrder::Keyer: rows turned for a frame that does not sort.
struct NoKeys {
  void operator()(float*, int) const {}
};

// About z, then x, then y, for every vertex of rows [begin, end), worked in
// double with only the three results rounded to single; then projected by
// `perspective` and keyed by `key`.
template <class Projection, class Keys>
void rotate_rows(Table& table, int begin, int end, const Turn<double>& tx,
                 const Turn<double>& ty, const Turn<double>& tz,
                 const Projection& perspective, const Keys& key) {
  for (int r = begin; r < end; ++r) {
    float* row = table.row(r);
    for (int v = 0; v < 3; ++v) {
      const double x = row[kModelX1 + 3 * v];
      const double y = row[kModelX1 + 3 * v + 1];
      const double z = row[kModelX1 + 3 * v + 2];
      const double x1 = x * tz.c - y * tz.s;
      const double y1 = x * tz.s + y * tz.c;
      const double y2 = y1 * tx.c - z * tx.s;
      const double z2 = y1 * tx.s + z * tx.c;
      const double x3 = x1 * ty.c - z2 * ty.s;
      const double z3 = x1 * ty.s + z2 * ty.c;
      row[kViewX1 + 3 * v] = runtime::to_single(x3);
      row[kViewX1 + 3 * v + 1] = runtime::to_single(y2);
      row[kViewX1 + 3 * v + 2] = runtime::to_single(z3);
    }
    perspective.apply(row);
    key(row, r);
  }
}

// The same turn worked in single precision, every product and sum rounded to
// single: the three vertices of a row side by side in the lanes of SSE
// registers, each operation the one the steps above take, in a third of the
// instructions. The fourth lane repeats the third vertex and is never stored.
// The projection takes the vertices from the lanes, before they are stored;
// the key reads the stored z back, each from within one store.
template <class Projection, class Keys>
void rotate_rows(Table& table, int begin, int end, const Turn<float>& tx, const Turn<float>& ty,
                 const Turn<float>& tz, const Projection& perspective, const Keys& key) {
  const __m128 xc = _mm_set1_ps(tx.c), xs = _mm_set1_ps(tx.s);
  const __m128 yc = _mm_set1_ps(ty.c), ys = _mm_set1_ps(ty.s);
  const __m128 zc = _mm_set1_ps(tz.c), zs = _mm_set1_ps(tz.s);
  for (int r = begin; r < end; ++r) {
    float* row = table.row(r);
    // x1 y1 z1 x2 | y2 z2 x3 y3 | z3: the model columns, to x, y and z of
    // vertices 1, 2, 3.
    const __m128 a = _mm_loadu_ps(row + kModelX1);
    const __m128 b = _mm_loadu_ps(row + kModelX1 + 4);
    const __m128 c = _mm_load_ss(row + kModelX1 + 8);
    const __m128 x = _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 2, 3, 0));
    const __m128 y_pairs = _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 0, 1, 1));
    const __m128 y = _mm_shuffle_ps(y_pairs, y_pairs, _MM_SHUFFLE(3, 3, 2, 0));
    const __m128 z_pairs = _mm_shuffle_ps(a, b, _MM_SHUFFLE(1, 1, 2, 2));
    const __m128 z = _mm_shuffle_ps(z_pairs, c, _MM_SHUFFLE(0, 0, 2, 0));

    const __m128 x1 = _mm_sub_ps(_mm_mul_ps(x, zc), _mm_mul_ps(y, zs));
    const __m128 y1 = _mm_add_ps(_mm_mul_ps(x, zs), _mm_mul_ps(y, zc));
    __m128 y2 = _mm_sub_ps(_mm_mul_ps(y1, xc), _mm_mul_ps(z, xs));
    const __m128 z2 = _mm_add_ps(_mm_mul_ps(y1, xs), _mm_mul_ps(z, xc));
    __m128 x3 = _mm_sub_ps(_mm_mul_ps(x1, yc), _mm_mul_ps(z2, ys));
    const __m128 z3 = _mm_add_ps(_mm_mul_ps(x1, ys), _mm_mul_ps(z2, yc));
    perspective.apply(x3, y2, z3);

    // Back to x y z of each vertex in turn, in the view columns.
    const __m128 xy_low = _mm_unpacklo_ps(x3, y2);  // x1 y1 x2 y2
    const __m128 zx_low = _mm_unpacklo_ps(z3, x3);  // z1 x1 z2 x2
    const __m128 yz_low = _mm_unpacklo_ps(y2, z3);  // y1 z1 y2 z2
    const __m128 xy_high = _mm_unpackhi_ps(x3, y2);  // x3 y3 . .
    _mm_storeu_ps(row + kViewX1, _mm_shuffle_ps(xy_low, zx_low, _MM_SHUFFLE(3, 0, 1, 0)));
    _mm_storeu_ps(row + kViewX1 + 4, _mm_shuffle_ps(yz_low, xy_high, _MM_SHUFFLE(1, 0, 3, 2)));
    _mm_store_ss(row + kViewX1 + 8, _mm_movehl_ps(z3, z3));
    key(row, r);
  }
}

// Every row turned, the rows shared with the helper when there is one; the
// sines and cosines are worked out once for all of them.
template <class Real, class Projection, class Keys>
void rotate_table(Table& table, runtime::HelperThread* helper, float angle_x, float angle_y,
                  float angle_z, const Projection& perspective, const Keys& key) {
  const Turn<Real> tx(angle_x), ty(angle_y), tz(angle_z);
  over_rows(helper, 0, table.upper_row() + 1, [&](int begin, int end) {
    rotate_rows(table, begin, end, tx, ty, tz, perspective, key);
  });
}

template <class Real, class Projection>
void rotate_table(Table& table, runtime::HelperThread* helper, float angle_x, float angle_y,
                  float angle_z, const Projection& perspective, KeyOrder* keys) {
  if (keys == nullptr) {
    rotate_table<Real>(table, helper, angle_x, angle_y, angle_z, perspective, NoKeys{});
  } else {
    rotate_table<Real>(table, helper, angle_x, angle_y, angle_z, perspective, keys->keyer());
  }
}

}  // namespace

template <class Projection>
void B3D::rotate(float& angleX, float& angleY, float& angleZ, const Projection& perspective,
                 KeyOrder* keys) {
  // The divisor is a little more than 180/pi (57.324 by default), so a full
  // turn comes out short; the quotients are kept in single precision.
  angleX = runtime::to_single(angleX / v_.degrees_per_radian);
  angleY = runtime::to_single(angleY / v_.degrees_per_radian);
  angleZ = runtime::to_single(angleZ / v_.degrees_per_radian);
  if (!TriangleTable) return;
  if (v_.rotate_in_double) {
    rotate_table<double>(*TriangleTable, helper(), angleX, angleY, angleZ, perspective, keys);
  } else {
    rotate_table<float>(*TriangleTable, helper(), angleX, angleY, angleZ, perspective, keys);
  }
}

void B3D::RotateModel(float& angleX, float& angleY, float& angleZ) {
  rotate(angleX, angleY, angleZ, NoPerspective{}, nullptr);
}

void B3D::RotateModelThen(float& angleX, float& angleY, float& angleZ, AfterTurn then) {
  // Each row is projected and keyed as it is turned, which saves a pass
  // over the whole table for each. The older sort stages every row and
  // gains nothing from keys made early.
  const bool keying = then.sort && TriangleTable && v_.sort != SortMethod::StagedCopy;
  KeyOrder* keys = keying ? &sorter_.start_keys(*TriangleTable) : nullptr;
  if (then.project) {
    rotate(angleX, angleY, angleZ, Perspective(eye_distance()), keys);
  } else {
    rotate(angleX, angleY, angleZ, NoPerspective{}, keys);
  }
  if (keying) {
    sorter_.sort_keyed(*TriangleTable, helper());
  } else if (then.sort) {
    DepthSort();
  }
}

}  // namespace b3d
