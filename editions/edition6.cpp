#include "editions/edition_parts.h"
#include "editions/editions.h"
#include "editions/textures.h"

namespace editions {

// The fullest window: shade levels, the texture cut once, the random model.
const EditionConfig& edition6() {
  static const EditionConfig config = full_edition(6, edition6_texture(), 32);
  return config;
}

}  // namespace editions
