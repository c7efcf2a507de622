#include "platform/toolkit/shown_image.h"

#include <algorithm>
#include <cstring>

namespace toolkit {

namespace {

bool same_row(const std::uint32_t* a, const std::uint32_t* b, int width) {
  return std::memcmp(a, b, static_cast<std::size_t>(width) * sizeof *a) == 0;
}

}  // namespace

PixelBox ShownImage::changes(const gdi::Surface& image) const {
  const int width = image.width(), height = image.height();
  if (!known_ || width != width_ || height != height_) return {0, 0, width, height};

  auto shown_row = [&](int y) { return pixels_.data() + static_cast<std::size_t>(y) * width; };
  int top = 0;
  while (top < height && same_row(image.row(top), shown_row(top), width)) ++top;
  if (top == height) return {};
  int bottom = height - 1;
  while (same_row(image.row(bottom), shown_row(bottom), width)) --bottom;

  // Columns: each row only needs looking at outside the span found so far.
  int left = width, right = -1;
  for (int y = top; y <= bottom; ++y) {
    const std::uint32_t* now = image.row(y);
    const std::uint32_t* was = shown_row(y);
    for (int x = 0; x < left; ++x) {
      if (now[x] != was[x]) {
        left = x;
        break;
      }
    }
    for (int x = width - 1; x > right; --x) {
      if (now[x] != was[x]) {
        right = x;
        break;
      }
    }
  }
  return {left, top, right - left + 1, bottom - top + 1};
}

void ShownImage::drawn(const gdi::Surface& image, PixelBox box) {
  const int width = image.width(), height = image.height();
  // Only the part inside the image is image.
  const int x0 = std::max(box.x, 0), y0 = std::max(box.y, 0);
  const int x1 = std::min(box.x + box.w, width), y1 = std::min(box.y + box.h, height);
  if (x0 == 0 && y0 == 0 && x1 == width && y1 == height) {
    pixels_ = image.pixels();
    width_ = width;
    height_ = height;
    known_ = true;
    return;
  }
  if (!known_ || width != width_ || height != height_) {
    known_ = false;
    return;
  }
  for (int y = y0; y < y1; ++y) {
    std::copy(image.row(y) + x0, image.row(y) + x1,
              pixels_.data() + static_cast<std::size_t>(y) * width + x0);
  }
}

}  // namespace toolkit
