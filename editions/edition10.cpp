#include "editions/edition_parts.h"
#include "editions/editions.h"
#include "editions/textures.h"

namespace editions {

// Edition 9's program with a texture of 64 x 64.
const EditionConfig& edition10() {
  static const EditionConfig config = [] {
    EditionConfig e = full_edition(10, edition10_texture(), 64);
    e.b3d.gradient_vertex_count = 4;  // as in edition 9
    return e;
  }();
  return config;
}

}  // namespace editions
