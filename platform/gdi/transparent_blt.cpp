#include "platform/gdi/transparent_blt.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/gdi/system_gdi.h"

namespace gdi {

void GdiTransparentBlt(HDC dst, int x_dst, int y_dst, int width_dst, int height_dst, HDC src,
                       int x_src, int y_src, int width_src, int height_src,
                       COLORREF transparent) {
  GdiTransparentBlt(dst, x_dst, y_dst, width_dst, height_dst, src, x_src, y_src, width_src,
                    height_src, transparent, kAllRows);
}

void GdiTransparentBlt(HDC dst, int x_dst, int y_dst, int width_dst, int height_dst, HDC src,
                       int x_src, int y_src, int width_src, int height_src,
                       COLORREF transparent, const Band& band) {
  if (dst == nullptr || src == nullptr) return;
  if (system_drawing()) {
    return system::GdiTransparentBlt(*dst, x_dst, y_dst, width_dst, height_dst, *src, x_src,
                                     y_src, width_src, height_src, transparent, band);
  }
  // Only 1:1 copies: a stretched or empty rectangle copies nothing.
  if (width_dst <= 0 || height_dst <= 0) return;
  if (width_src != width_dst || height_src != height_dst) return;

  // Offsets i in [0, width) with x_src + i inside the source and x_dst + i
  // inside the destination; 64-bit because x + i can pass INT_MAX.
  const auto visible = [](std::int64_t size, std::int64_t src_at, std::int64_t src_size,
                          std::int64_t dst_at, std::int64_t dst_size, std::int64_t& lo,
                          std::int64_t& hi) {
    lo = std::max({std::int64_t{0}, -src_at, -dst_at});
    hi = std::min({size, src_size - src_at, dst_size - dst_at});
    return lo < hi;
  };
  std::int64_t i0, i1, j0, j1;
  if (!visible(width_dst, x_src, src->width(), x_dst, dst->width(), i0, i1)) return;
  if (!visible(height_dst, y_src, src->height(), y_dst, dst->height(), j0, j1)) return;
  // Destination rows outside the band are left alone.
  j0 = std::max(j0, std::int64_t{band.top} - y_dst);
  j1 = std::min(j1, std::int64_t{band.bottom} - y_dst);
  if (j0 >= j1) return;

  const std::int64_t w = i1 - i0;
  const std::int64_t h = j1 - j0;
  // Copying within one surface reads the pixels as they were before the copy,
  // whatever the overlap.
  std::vector<std::uint32_t> copy;
  if (src == dst) {
    copy.resize(static_cast<std::size_t>(w * h));
    for (std::int64_t j = 0; j < h; ++j) {
      const std::uint32_t* s = src->row(static_cast<int>(y_src + j0 + j)) + (x_src + i0);
      std::copy(s, s + w, copy.begin() + j * w);
    }
  }
  for (std::int64_t j = 0; j < h; ++j) {
    const std::uint32_t* s = copy.empty()
                                 ? src->row(static_cast<int>(y_src + j0 + j)) + (x_src + i0)
                                 : copy.data() + j * w;
    std::uint32_t* d = dst->row(static_cast<int>(y_dst + j0 + j)) + (x_dst + i0);
    for (std::int64_t i = 0; i < w; ++i) {
      if (s[i] != transparent) d[i] = s[i];
    }
  }
}

}  // namespace gdi
