// RotateModel: the model columns turned by three angles into the view columns.

#include <cmath>

#include "b3d/b3d.h"
#include "platform/runtime/single.h"

namespace b3d {

namespace {

// Degrees to radians as this renderer has always done it: 57.324, a little
// more than 180/pi, so a full turn comes out 0.18 degrees short.
constexpr double kDegreesPerRadian = 57.324;

float to_radians(float degrees) { return runtime::to_single(degrees / kDegreesPerRadian); }

// A sine or cosine is taken in double and kept in single precision.
struct Turn {
  explicit Turn(float angle)
      : s(static_cast<float>(std::sin(double{angle}))),
        c(static_cast<float>(std::cos(double{angle}))) {}
  float s;
  float c;
};

}  // namespace

void B3D::RotateModel(float& angleX, float& angleY, float& angleZ) {
  angleX = to_radians(angleX);
  angleY = to_radians(angleY);
  angleZ = to_radians(angleZ);
  if (!TriangleTable) return;

  const Turn tx(angleX), ty(angleY), tz(angleZ);
  Table& table = *TriangleTable;
  for (int r = 0; r <= table.upper_row(); ++r) {
    float* row = table.row(r);
    for (int v = 0; v < 3; ++v) {
      const float x = row[kModelX1 + 3 * v];
      const float y = row[kModelX1 + 3 * v + 1];
      const float z = row[kModelX1 + 3 * v + 2];
      // About z, then x, then y; every product and sum rounded to single.
      const float x1 = x * tz.c - y * tz.s;
      const float y1 = x * tz.s + y * tz.c;
      const float y2 = y1 * tx.c - z * tx.s;
      const float z2 = y1 * tx.s + z * tx.c;
      const float x3 = x1 * ty.c - z2 * ty.s;
      const float z3 = x1 * ty.s + z2 * ty.c;
      row[kViewX1 + 3 * v] = x3;
      row[kViewX1 + 3 * v + 1] = y2;
      row[kViewX1 + 3 * v + 2] = z3;
    }
  }
}

}  // namespace b3d
