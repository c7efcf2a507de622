// The GIF writer of a build without giflib: kelvo-render refuses --gif
// before anything runs, so none of this is reached from it.

#include <stdexcept>

#include "tools/gif_writer.h"

namespace tools {

bool gif_writer_built() { return false; }

GifAnimation::GifAnimation(const std::string& path, int delay_cs) : delay_cs_(delay_cs) {
  throw std::runtime_error("cannot write '" + path + "': this build has no GIF writer");
}

GifAnimation::~GifAnimation() = default;
void GifAnimation::add_frame(const gdi::Surface&) {}
void GifAnimation::finish() {}

}  // namespace tools
