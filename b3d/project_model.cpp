// ProjectModel: the perspective divide of the view x and y, in place.

#include "b3d/b3d.h"
#include "platform/runtime/single.h"

namespace b3d {

void B3D::ProjectModel() {
  if (!TriangleTable) return;
  // The eye stands P pixels in front of the plane z = 0: a point at z = 0
  // keeps its place, one at z = P moves halfway to the centre.
  const float p = static_cast<float>(c_.HScroll5.Value());
  Table& table = *TriangleTable;
  for (int r = 0; r <= table.upper_row(); ++r) {
    float* row = table.row(r);
    for (int v = 0; v < 3; ++v) {
      float& x = row[kViewX1 + 3 * v];
      float& y = row[kViewX1 + 3 * v + 1];
      const float d = row[kViewX1 + 3 * v + 2] / p;
      // Nothing guards z = -P or z beyond it: the divisor becomes zero or
      // negative and the point goes to infinity or is mirrored, which the
      // renderers then skip or draw as such.
      const double divisor = double{d} + 1;
      x = runtime::to_single(x / divisor);
      y = runtime::to_single(y / divisor);
    }
  }
}

}  // namespace b3d
