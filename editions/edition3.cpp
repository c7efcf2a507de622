#include "editions/edition_parts.h"
#include "editions/editions.h"

namespace editions {

// Shading by the side a face turns to, the frame-rate brake, side views that
// are switched on, and the sort in place.
const EditionConfig& edition3() {
  static const EditionConfig config = sign_shaded_edition(3, b3d::GradientEntry::Msimg32);
  return config;
}

}  // namespace editions
