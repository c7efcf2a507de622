#include "platform/gdi/surface.h"

#include <emmintrin.h>

#include <algorithm>

#include "platform/gdi/system_gdi.h"

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

void Surface::Cls() {
  if (system_drawing()) return system::Cls(*this);
  // Four pixels a store: the compiler's own loop for std::fill stores one at
  // a time, and the main view is cleared every frame.
  const __m128i four = _mm_set1_epi32(static_cast<int>(back_colour));
  std::uint32_t* const p = pixels_.data();
  const std::size_t n = pixels_.size();
  std::size_t i = 0;
  for (; i + 4 <= n; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), four);
  for (; i < n; ++i) p[i] = back_colour;
}

void Surface::resize(int width, int height) {
  // A zero or negative side leaves nothing to draw on; keep both sides zero so
  // that width * height always matches the pixel count.
  if (width <= 0 || height <= 0) width = height = 0;
  pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), back_colour);
  width_ = width;
  height_ = height;
}

}  // namespace gdi
