#include "editions/early_windows.h"
#include "editions/edition_parts.h"
#include "editions/editions.h"

namespace editions {

// Side views, polygons or gradients, a table twice as wide, and "Wire" and
// "Filled" that exclude each other.
const EditionConfig& edition2() {
  static const EditionConfig config = [] {
    EditionConfig e = named_edition(2, window2());

    e.loop.set_up = LoopVariants::SetUp::ColourPerRow;
    e.loop.pacing = false;
    e.loop.spin_about_x = true;
    e.loop.perspective = false;
    e.loop.textured = false;
    e.loop.side_views = LoopVariants::SideViews::Always;
    e.loop.left_view = "Picture2";
    e.loop.right_view = "Picture3";
    e.loop.exclusive_wire_and_fill = true;

    e.b3d.zoom = false;
    e.b3d.table_columns = 73;
    e.b3d.degrees_per_radian = 57.2;
    e.b3d.rotate_in_double = true;
    e.b3d.sort = b3d::SortMethod::StagedCopy;
    e.b3d.fill_colours = b3d::FillColours::Table;
    e.b3d.shade_rule = b3d::ShadeRule::None;
    e.b3d.z_sort_column_offset = true;
    e.b3d.gradient_entry = b3d::GradientEntry::Msimg32;
    return e;
  }();
  return config;
}

}  // namespace editions
