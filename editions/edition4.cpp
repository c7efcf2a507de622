#include "editions/early_windows.h"
#include "editions/edition_parts.h"
#include "editions/editions.h"

namespace editions {

// Edition 3 drawing its gradients through gdi32 instead of msimg32.
const EditionConfig& edition4() {
  static const EditionConfig config = [] {
    EditionConfig e = window3();
    e.number = 4;
    e.program = program_name(4);
    e.platform_functions = platform_functions_of(4);
    e.procedures = procedures_of(4);

    e.loop.set_up = LoopVariants::SetUp::ColourPerRow;
    e.loop.spin_about_x = true;
    e.loop.perspective = false;
    e.loop.textured = false;
    e.loop.left_view = "Picture2";
    e.loop.right_view = "Picture3";

    e.b3d.zoom = false;
    e.b3d.rotate_in_double = true;
    e.b3d.fill_colours = b3d::FillColours::Table;
    e.b3d.shade_rule = b3d::ShadeRule::SignOfNx;
    e.b3d.gradient_entry = b3d::GradientEntry::Gdi32;
    return e;
  }();
  return config;
}

}  // namespace editions
