// The GIF writer of a build without giflib and zlib (the browser's): every
// animation is refused when it is opened, so the run says so at once.

#include <stdexcept>

#include "tools/gif_writer.h"

namespace tools {

GifAnimation::GifAnimation(const std::string& path, int delay_cs)
    : path_(path), delay_cs_(delay_cs) {
  throw std::runtime_error("cannot write '" + path + "': this build writes no GIF files");
}

GifAnimation::~GifAnimation() = default;

void GifAnimation::add_frame(const gdi::Surface&) {}

void GifAnimation::finish() {}

}  // namespace tools
