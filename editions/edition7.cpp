#include "editions/edition_parts.h"
#include "editions/editions.h"
#include "editions/textures.h"

namespace editions {

const EditionConfig& edition7() {
  static const EditionConfig config = full_edition(7, edition6_texture(), 32);
  return config;
}

}  // namespace editions
