#include "editions/early_windows.h"
#include "editions/edition_parts.h"
#include "editions/editions.h"

namespace editions {

// Shading by the side a face turns to, the frame-rate brake, side views that
// are switched on, and the sort in place.
const EditionConfig& edition3() {
  static const EditionConfig config = [] {
    EditionConfig e = window3();
    e.number = 3;
    e.program = program_name(3);
    e.platform_functions = platform_functions_of(3);
    e.procedures = procedures_of(3);

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
    e.b3d.gradient_entry = b3d::GradientEntry::Msimg32;
    return e;
  }();
  return config;
}

}  // namespace editions
