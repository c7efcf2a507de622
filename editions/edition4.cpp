#include "editions/edition_parts.h"
#include "editions/editions.h"

namespace editions {

// Edition 3 drawing its gradients through gdi32 instead of msimg32.
const EditionConfig& edition4() {
  static const EditionConfig config = sign_shaded_edition(4, b3d::GradientEntry::Gdi32);
  return config;
}

}  // namespace editions
