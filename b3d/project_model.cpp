// ProjectModel: the perspective divide of the view x and y, in place.

#include "b3d/b3d.h"
#include "b3d/view_divide.h"
#include "b3d/two_threads.h"

namespace b3d {

float B3D::eye_distance() const { return static_cast<float>(c_.HScroll5.Value()); }

void B3D::ProjectModel() {
  if (!TriangleTable) return;
  const Perspective perspective(eye_distance());
  Table& table = *TriangleTable;
  over_rows(helper(), 0, table.upper_row() + 1, [&](int begin, int end) {
    for (int r = begin; r < end; ++r) perspective.apply(table.row(r));
  });
}

}  // namespace b3d
