#include "editions/edition_parts.h"
#include "editions/editions.h"
#include "editions/textures.h"

namespace editions {

// The fullest window with a texture of 16 x 16.
const EditionConfig& edition9() {
  static const EditionConfig config = [] {
    EditionConfig e = full_edition(9, edition9_texture(), 16);
    // The gradient call passes a fourth vertex, the zero entry after the
    // three corners; the triangle uses only the three.
    e.b3d.gradient_vertex_count = 4;
    return e;
  }();
  return config;
}

}  // namespace editions
