// RotateModel: the model columns turned by three angles into the view columns.

#include "b3d/b3d.h"
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

float stored(float value) { return value; }
float stored(double value) { return runtime::to_single(value); }

// About z, then x, then y, for every vertex of rows [begin, end). In single
// precision every product and sum is rounded to single; in double only the
// three results are.
template <class Real>
void rotate(Table& table, int begin, int end, const Turn<Real>& tx, const Turn<Real>& ty,
            const Turn<Real>& tz) {
  for (int r = begin; r < end; ++r) {
    float* row = table.row(r);
    for (int v = 0; v < 3; ++v) {
      const Real x = row[kModelX1 + 3 * v];
      const Real y = row[kModelX1 + 3 * v + 1];
      const Real z = row[kModelX1 + 3 * v + 2];
      const Real x1 = x * tz.c - y * tz.s;
      const Real y1 = x * tz.s + y * tz.c;
      const Real y2 = y1 * tx.c - z * tx.s;
      const Real z2 = y1 * tx.s + z * tx.c;
      const Real x3 = x1 * ty.c - z2 * ty.s;
      const Real z3 = x1 * ty.s + z2 * ty.c;
      row[kViewX1 + 3 * v] = stored(x3);
      row[kViewX1 + 3 * v + 1] = stored(y2);
      row[kViewX1 + 3 * v + 2] = stored(z3);
    }
  }
}

// Every row turned, the rows shared with the helper when there is one; the
// sines and cosines are worked out once for all of them.
template <class Real>
void rotate_table(Table& table, runtime::HelperThread* helper, float angle_x, float angle_y,
                  float angle_z) {
  const Turn<Real> tx(angle_x), ty(angle_y), tz(angle_z);
  over_rows(helper, 0, table.upper_row() + 1,
            [&](int begin, int end) { rotate(table, begin, end, tx, ty, tz); });
}

}  // namespace

void B3D::RotateModel(float& angleX, float& angleY, float& angleZ) {
  // The divisor is a little more than 180/pi (57.324 by default), so a full
  // turn comes out short; the quotients are kept in single precision.
  angleX = runtime::to_single(angleX / v_.degrees_per_radian);
  angleY = runtime::to_single(angleY / v_.degrees_per_radian);
  angleZ = runtime::to_single(angleZ / v_.degrees_per_radian);
  if (!TriangleTable) return;
  if (v_.rotate_in_double) {
    rotate_table<double>(*TriangleTable, helper(), angleX, angleY, angleZ);
  } else {
    rotate_table<float>(*TriangleTable, helper(), angleX, angleY, angleZ);
  }
}

}  // namespace b3d
