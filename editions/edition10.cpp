// Edition 9's program with a texture of 64 x 64.
#include "editions/edition_parts.h"
#include "editions/editions.h"
#include "editions/textures.h"

namespace editions {

const EditionConfig& edition10() {
  static const EditionConfig config = [] {
    EditionConfig e = full_edition(10, edition10_texture(), 64);
    // The gradient call passes a fourth vertex, the zero entry after the
    // three corners; the triangle uses only the three.
    e.b3d.gradient_vertex_count = 4;
    return e;
  }();
  return config;
}

}  // namespace editions
