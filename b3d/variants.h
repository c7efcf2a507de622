#pragma once
// How the procedures of B3D differ from one edition of the renderer to the
// next. The defaults are the fullest renderer's ways; an edition's
// configuration names the older ones it keeps.

#include <cstdint>

#include "b3d/triangle_table.h"

namespace b3d {

// What the shade factor returns for a face (see shade_factor.h).
enum class ShadeRule {
  None,           // no shading at all
  SignOfNx,       // +1 or -1 by the side the face turns to, 0 edge-on
  Cosine255,      // |cosine| to the light, 0 to 255
  CosineSquared,  // cosine squared, 0 to 1
};

// Where the filled renderer takes its colours from.
enum class FillColours {
  Table,  // the colour cells of each row, a gradient between the corners
  Shade,  // one grey per face from the shade factor
};

// Which of the platform's two equal gradient entries the table-coloured
// renderer calls; the grey one always calls gdi32's.
enum class GradientEntry { Msimg32, Gdi32 };

enum class SortMethod {
  Selection,    // a selection sort in place, row 0 as swap space
  StagedCopy,   // selected rows copied out to LoadBuffer and back; keys used up
};

enum class TextureSource {
  Picture5,           // the texture picture itself, cut once by "Correct"
  StagedInPicture2,   // Picture5's image shown on Picture2, whose whole area is warped
};

struct Variants {
  // Loader: whether coordinates are multiplied by the zoom bar, and how many
  // columns the table has (only the first 37 are ever filled).
  bool zoom = true;
  int table_columns = kColumns;

  // Rotation: degrees per radian, and whether the turn is worked in double
  // precision with only the results kept in single.
  double degrees_per_radian = 57.324;
  bool rotate_in_double = false;

  SortMethod sort = SortMethod::Selection;

  // Wireframe: whether "Fast lines" chooses between one polyline and four
  // line calls; without it every outline is a polyline.
  bool fast_lines_choice = true;

  // Filled renderer.
  FillColours fill_colours = FillColours::Shade;
  ShadeRule shade_rule = ShadeRule::CosineSquared;
  bool gradient_choice = true;       // "Gradient" chooses; without it always gradient
  bool z_sort_column_offset = false;  // "Z sort" makes it read every column 27 higher
  GradientEntry gradient_entry = GradientEntry::Gdi32;
  std::uint32_t gradient_vertex_count = 3;
  // Shade factor times this is the shade; with shade_level it then goes
  // through Text7 as a level in whole units.
  float shade_scale = 255;
  bool shade_level = true;

  TextureSource texture_source = TextureSource::Picture5;
};

}  // namespace b3d
