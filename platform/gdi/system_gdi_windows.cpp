// gdi32 drawing for our surfaces. Each surface gets a device-independent
// bitmap of its size, selected into a memory device context. A call copies
// the part of the surface it can touch into the bitmap, lets gdi32 draw there
// with that part as its clipping rectangle, and copies the part back: the
// surface stays the one picture, and a call costs what its own area costs.
#define NOMINMAX
#include <windows.h>
// windows.h's macros would replace our functions and constants of the same
// names, which mean the same.
#undef RGB
#undef GetRValue
#undef GetGValue
#undef GetBValue
#undef GRADIENT_FILL_RECT_H
#undef GRADIENT_FILL_RECT_V
#undef GRADIENT_FILL_TRIANGLE

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/gdi/system_gdi.h"

namespace gdi {

namespace detail {
namespace {
bool asked_for_system() {
  const char* value = std::getenv("KELVO_GDI");
  return value != nullptr && std::strcmp(value, "system") == 0;
}
}  // namespace
std::atomic<bool> system_drawing_on{asked_for_system()};
}  // namespace detail

bool set_system_drawing(bool on) {
  detail::system_drawing_on.store(on);
  return true;
}

namespace system {
namespace {

// Pixels [x0, x1) x [y0, y1); 64-bit, as corners far outside a surface
// reach beyond 32 bits when widened.
struct Rect {
  std::int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool empty() const { return x0 >= x1 || y0 >= y1; }
};

Rect intersect(const Rect& a, const Rect& b) {
  return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1),
          std::min(a.y1, b.y1)};
}

// The rows of a band on the surface.
Rect band_of(const Surface& s, const Band& band) {
  return intersect({0, 0, s.width(), s.height()}, {0, band.top, s.width(), band.bottom});
}

// The pixels around points: a line, a fill or a warp through them touches
// none outside. One pixel more on every side, so that a pixel gdi32 might
// draw just beyond would still come back and show in a comparison.
template <class Point>
Rect around(const Point* points, std::size_t count) {
  Rect r{points[0].x, points[0].y, points[0].x, points[0].y};
  for (std::size_t k = 1; k < count; ++k) {
    r.x0 = std::min<std::int64_t>(r.x0, points[k].x);
    r.y0 = std::min<std::int64_t>(r.y0, points[k].y);
    r.x1 = std::max<std::int64_t>(r.x1, points[k].x);
    r.y1 = std::max<std::int64_t>(r.y1, points[k].y);
  }
  return {r.x0 - 1, r.y0 - 1, r.x1 + 2, r.y1 + 2};
}

// A rectangle given by a corner and a size of either sign.
Rect spanned(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) {
  return {std::min(x, x + width) - 1, std::min(y, y + height) - 1, std::max(x, x + width) + 1,
          std::max(y, y + height) + 1};
}

// A colour reference is red, green, blue from the low byte; a 32-bit
// bitmap's pixel blue, green, red. The same exchange goes both ways, and the
// fourth byte, which gdi32 may fill from a gradient's alpha, is no colour.
std::uint32_t swap_red_blue(std::uint32_t p) {
  return (p & 0xFFu) << 16 | (p & 0xFF00u) | (p >> 16 & 0xFFu);
}

class Dib {
 public:
  Dib(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first, as our surfaces
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc_ = CreateCompatibleDC(nullptr);
    if (bitmap_ == nullptr || dc_ == nullptr) return;
    bits_ = static_cast<std::uint32_t*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    SetPolyFillMode(dc_, ALTERNATE);
    // A warp that shrinks takes one texel a pixel, as ours does. The default
    // mode, BLACKONWHITE, ANDs together the colours of the texels it drops,
    // a rule for black-on-white monochrome pictures that darkens a texture.
    SetStretchBltMode(dc_, COLORONCOLOR);
  }
  ~Dib() {
    if (dc_ != nullptr) {
      if (old_ != nullptr) SelectObject(dc_, old_);
      DeleteDC(dc_);
    }
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
  }
  Dib(const Dib&) = delete;
  Dib& operator=(const Dib&) = delete;

  bool usable() const { return bits_ != nullptr; }
  bool fits(const Surface& s) const { return s.width() == width_ && s.height() == height_; }
  ::HDC dc() const { return dc_; }

  // The surface's pixels of r (within it) into the bitmap, or back.
  void load(const Surface& s, const Rect& r) {
    for (std::int64_t y = r.y0; y < r.y1; ++y) {
      const std::uint32_t* from = s.row(static_cast<int>(y));
      std::uint32_t* to = bits_ + y * width_;
      for (std::int64_t x = r.x0; x < r.x1; ++x) to[x] = swap_red_blue(from[x]);
    }
  }
  void store(Surface& s, const Rect& r) const {
    GdiFlush();  // gdi32 may batch its drawing; the bits are read directly
    for (std::int64_t y = r.y0; y < r.y1; ++y) {
      const std::uint32_t* from = bits_ + y * width_;
      std::uint32_t* to = s.row(static_cast<int>(y));
      for (std::int64_t x = r.x0; x < r.x1; ++x) to[x] = swap_red_blue(from[x]);
    }
  }
  // gdi32 draws inside r only.
  void clip_to(const Rect& r) const {
    SelectClipRgn(dc_, nullptr);
    IntersectClipRect(dc_, static_cast<int>(r.x0), static_cast<int>(r.y0),
                      static_cast<int>(r.x1), static_cast<int>(r.y1));
  }

 private:
  int width_ = 0;
  int height_ = 0;
  HBITMAP bitmap_ = nullptr;
  ::HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// Bitmaps of the surfaces drawn on lately, the least recently used given up
// for a new one. A call needs two at most (a copy's source and destination).
// Surfaces are known by address and size: one made where another was gets a
// bitmap of its size, and its contents are always copied in anew.
class Dibs {
 public:
  Dib* of(const Surface& s) {
    ++clock_;
    Slot* oldest = &slots_[0];
    for (Slot& slot : slots_) {
      if (slot.owner == &s && slot.dib && slot.dib->fits(s)) {
        slot.used = clock_;
        return slot.dib.get();
      }
      if (slot.used < oldest->used) oldest = &slot;
    }
    oldest->dib = std::make_unique<Dib>(s.width(), s.height());
    oldest->owner = &s;
    oldest->used = clock_;
    return oldest->dib->usable() ? oldest->dib.get() : nullptr;
  }

 private:
  struct Slot {
    const Surface* owner = nullptr;
    std::unique_ptr<Dib> dib;
    std::uint64_t used = 0;
  };
  std::array<Slot, 6> slots_;
  std::uint64_t clock_ = 0;
};

// One device context is not to be drawn on by two threads: the renderers'
// threads take turns.
std::mutex drawing;
Dibs dibs;

// draw(dc) on the part r of s's bitmap, r cut to the band; the rest of the
// bitmap is not looked at.
template <class Draw>
void draw_on(Surface& s, const Rect& r, const Band& band, const Draw& draw) {
  if (s.width() <= 0 || s.height() <= 0) return;
  const Rect part = intersect(r, band_of(s, band));
  if (part.empty()) return;
  std::lock_guard<std::mutex> lock(drawing);
  Dib* dib = dibs.of(s);
  if (dib == nullptr) return;
  dib->load(s, part);
  dib->clip_to(part);
  draw(*dib);
  dib->store(s, part);
}

// A pen and a brush chosen into a device context for one call.
class Tools {
 public:
  Tools(::HDC dc, HPEN pen, HBRUSH brush) : dc_(dc), pen_(pen), brush_(brush) {
    old_pen_ = SelectObject(dc, pen != nullptr ? pen : GetStockObject(NULL_PEN));
    old_brush_ = SelectObject(dc, brush != nullptr ? brush : GetStockObject(NULL_BRUSH));
  }
  ~Tools() {
    SelectObject(dc_, old_pen_);
    SelectObject(dc_, old_brush_);
    if (pen_ != nullptr) DeleteObject(pen_);
    if (brush_ != nullptr) DeleteObject(brush_);
  }
  Tools(const Tools&) = delete;
  Tools& operator=(const Tools&) = delete;

 private:
  ::HDC dc_;
  HPEN pen_;
  HBRUSH brush_;
  HGDIOBJ old_pen_ = nullptr;
  HGDIOBJ old_brush_ = nullptr;
};

std::vector<::POINT> points_of(const POINT* points, int count) {
  std::vector<::POINT> out(static_cast<std::size_t>(count));
  for (int k = 0; k < count; ++k) out[k] = {points[k].x, points[k].y};
  return out;
}

}  // namespace

void Polyline(Surface& dc, const POINT* points, int count, COLORREF pen, const Band& band) {
  if (points == nullptr || count < 2) return;
  const std::vector<::POINT> p = points_of(points, count);
  draw_on(dc, around(p.data(), p.size()), band, [&](const Dib& dib) {
    Tools tools(dib.dc(), CreatePen(PS_SOLID, 1, pen), nullptr);
    ::Polyline(dib.dc(), p.data(), count);
  });
}

void Polygon(Surface& dc, const POINT* points, int count, COLORREF brush, COLORREF pen,
             bool filled, const Band& band) {
  if (points == nullptr || count < 2) return;
  const std::vector<::POINT> p = points_of(points, count);
  draw_on(dc, around(p.data(), p.size()), band, [&](const Dib& dib) {
    Tools tools(dib.dc(), CreatePen(PS_SOLID, 1, pen),
                filled ? CreateSolidBrush(brush) : nullptr);
    ::Polygon(dib.dc(), p.data(), count);
  });
}

void GdiGradientFill(Surface& dc, const TRIVERTEX* vertices, std::uint32_t vertex_count,
                     const void* mesh, std::uint32_t mesh_count, std::uint32_t mode,
                     const Band& band) {
  if (vertices == nullptr || mesh == nullptr || vertex_count == 0) return;
  std::vector<::TRIVERTEX> v(vertex_count);
  for (std::uint32_t k = 0; k < vertex_count; ++k) {
    v[k] = {vertices[k].x,     vertices[k].y,    vertices[k].Red,
            vertices[k].Green, vertices[k].Blue, vertices[k].Alpha};
  }
  // A triangle mesh touches only its own corners' area, which can be far
  // smaller than all the vertices' (edition 9 passes a spare one at 0, 0).
  std::vector<::TRIVERTEX> used;
  if (mode == GRADIENT_FILL_TRIANGLE) {
    const auto* triangles = static_cast<const GRADIENT_TRIANGLE*>(mesh);
    for (std::uint32_t k = 0; k < mesh_count; ++k) {
      for (std::uint32_t i : {triangles[k].Vertex1, triangles[k].Vertex2, triangles[k].Vertex3}) {
        if (i < vertex_count) used.push_back(v[i]);
      }
    }
    if (used.empty()) return;
  } else {
    used = v;
  }
  draw_on(dc, around(used.data(), used.size()), band, [&](const Dib& dib) {
    ::GdiGradientFill(dib.dc(), v.data(), vertex_count, const_cast<void*>(mesh), mesh_count,
                      mode);
  });
}

void PlgBlt(Surface& dst, const POINT* points, const Surface& src, int x_src, int y_src,
            int width, int height, const Band& band) {
  if (points == nullptr || src.width() <= 0 || src.height() <= 0) return;
  const std::vector<::POINT> p = points_of(points, 3);
  // The parallelogram's fourth corner, P1 + P2 - P0, may leave 32 bits.
  struct Corner {
    std::int64_t x, y;
  };
  const Corner corners[4] = {{p[0].x, p[0].y},
                             {p[1].x, p[1].y},
                             {p[2].x, p[2].y},
                             {std::int64_t{p[1].x} + p[2].x - p[0].x,
                              std::int64_t{p[1].y} + p[2].y - p[0].y}};
  const Rect r = around(corners, 4);
  const Rect from = intersect(spanned(x_src, y_src, width, height),
                              {0, 0, src.width(), src.height()});
  draw_on(dst, r, band, [&](const Dib& dib) {
    Dib* source = dibs.of(src);
    if (source == nullptr) return;
    if (!from.empty()) source->load(src, from);
    ::PlgBlt(dib.dc(), p.data(), source->dc(), x_src, y_src, width, height, nullptr, 0, 0);
  });
}

void GdiTransparentBlt(Surface& dst, int x_dst, int y_dst, int width_dst, int height_dst,
                       const Surface& src, int x_src, int y_src, int width_src, int height_src,
                       COLORREF transparent, const Band& band) {
  if (src.width() <= 0 || src.height() <= 0) return;
  const Rect from = intersect(spanned(x_src, y_src, width_src, height_src),
                              {0, 0, src.width(), src.height()});
  draw_on(dst, spanned(x_dst, y_dst, width_dst, height_dst), band, [&](const Dib& dib) {
    Dib* source = dibs.of(src);
    if (source == nullptr) return;
    if (!from.empty()) source->load(src, from);
    ::GdiTransparentBlt(dib.dc(), x_dst, y_dst, width_dst, height_dst, source->dc(), x_src,
                        y_src, width_src, height_src, transparent);
  });
}

void Cls(Surface& dc) {
  const Rect whole{0, 0, dc.width(), dc.height()};
  draw_on(dc, whole, kAllRows, [&](const Dib& dib) {
    const RECT area{0, 0, dc.width(), dc.height()};
    const HBRUSH brush = CreateSolidBrush(dc.back_colour);
    FillRect(dib.dc(), &area, brush);
    DeleteObject(brush);
  });
}

}  // namespace system
}  // namespace gdi
