// The GIF writer of a build without giflib and zlib (the browser's).
// kelvo-render refuses --gif there before it runs; an animation opened all
// the same is refused at once.

#include <stdexcept>

#include "tools/gif_writer.h"

namespace tools {

bool writes_gif_files() { return false; }

GifAnimation::GifAnimation(const std::string& path, int delay_cs)
    : path_(path), delay_cs_(delay_cs) {
  throw std::runtime_error("cannot write '" + path_ + "': this build writes no GIF files");
}

GifAnimation::~GifAnimation() = default;

void GifAnimation::add_frame(const gdi::Surface&) {}

void GifAnimation::finish() {}

}  // namespace tools
