#include "platform/gdi/surface.h"

#include <algorithm>

namespace gdi {

Surface::Surface(int width, int height, COLORREF back) : back_colour(back) {
  resize(width, height);
}

COLORREF Surface::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return row(y)[x];
}

void Surface::set_pixel(int x, int y, COLORREF colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  row(y)[x] = colour;
}

void Surface::Cls() { std::fill(pixels_.begin(), pixels_.end(), back_colour); }

void Surface::resize(int width, int height) {
  // A zero or negative side leaves nothing to draw on; keep both sides zero so
  // that width * height always matches the pixel count.
  if (width <= 0 || height <= 0) width = height = 0;
  pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), back_colour);
  width_ = width;
  height_ = height;
}

}  // namespace gdi
