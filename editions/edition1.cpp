#include "editions/early_windows.h"
#include "editions/edition_parts.h"
#include "editions/editions.h"

namespace editions {

// The first renderer: a wireframe and gradient triangles coloured at random,
// turned 2 degrees a frame, sorted through the loader's staging area.
const EditionConfig& edition1() {
  static const EditionConfig config = [] {
    EditionConfig e = named_edition(1, window1());

    e.loop.set_up = LoopVariants::SetUp::ColourPerCell;
    e.loop.pacing = false;
    e.loop.fixed_spin = true;
    e.loop.spin_about_x = true;
    e.loop.perspective = false;
    e.loop.textured = false;
    e.loop.side_views = LoopVariants::SideViews::None;
    e.loop.throughput = false;

    e.b3d.zoom = false;
    e.b3d.degrees_per_radian = 57.2;
    e.b3d.rotate_in_double = true;
    e.b3d.sort = b3d::SortMethod::StagedCopy;
    e.b3d.fast_lines_choice = false;
    e.b3d.fill_colours = b3d::FillColours::Table;
    e.b3d.shade_rule = b3d::ShadeRule::None;
    e.b3d.gradient_choice = false;
    e.b3d.gradient_entry = b3d::GradientEntry::Msimg32;
    return e;
  }();
  return config;
}

}  // namespace editions
