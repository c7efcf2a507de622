#include "editions/early_windows.h"
#include "editions/edition_parts.h"
#include "editions/editions.h"
#include "editions/textures.h"

namespace editions {

// Perspective, zoom, grey shading and the first texture, staged on Picture2.
const EditionConfig& edition5() {
  static const EditionConfig config = [] {
    EditionConfig e = named_edition(5, window5());
    e.texture = edition5_texture();

    e.loop.set_up = LoopVariants::SetUp::ColourPerRow;

    e.b3d.shade_rule = b3d::ShadeRule::Cosine255;
    e.b3d.shade_scale = 120;
    e.b3d.shade_level = false;
    e.b3d.texture_source = b3d::TextureSource::StagedInPicture2;
    return e;
  }();
  return config;
}

}  // namespace editions
