#pragma once
// The scene the benchmarks draw: edition 8's window on the headless toolkit
// with a sample model loaded (by its triangles: the cube 12, the sphere 760,
// the tori 1000 and 19000) and turned once, so the view columns hold a real
// frame's values.

#include <algorithm>
#include <string>

#include "app/form1.h"
#include "editions/editions.h"
#include "platform/toolkit/headless_toolkit.h"

namespace bench {

struct Scene {
  explicit Scene(int triangles) : form(editions::edition8(), toolkit, KELVO_SOURCE_DIR "/models") {
    const std::string name = triangles == 12    ? "cube.atl"
                             : triangles == 760 ? "sphere.atl"
                             : triangles == 1000 ? "torus.atl"
                                                 : "torus19000.atl";
    const auto& items = form.File1.items();
    const auto index = std::find(items.begin(), items.end(), name) - items.begin();
    form.File1.on_click = nullptr;
    form.File1.user_click(static_cast<int>(index));
    form.B3D.LoadModel();
    rotate();
  }
  void rotate() {
    float x = 20, y = 33, z = 0;
    form.B3D.RotateModel(x, y, z);
  }
  b3d::Table& table() { return *form.B3D.TriangleTable; }

  toolkit::HeadlessToolkit toolkit;
  app::Form1 form;
};

}  // namespace bench
