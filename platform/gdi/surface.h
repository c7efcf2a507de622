#pragma once
// A drawing surface: the persistent image of a picture box together with the
// drawing state that GDI keeps in a device context (pen, brush, current
// position). Drawing functions take the surface as their device context.

#include <cstdint>
#include <vector>

#include "platform/gdi/gdi_types.h"

namespace gdi {

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, COLORREF back_colour);

  int width() const { return width_; }
  int height() const { return height_; }

  // Pixels are colour references, row-major, top row first. In memory each
  // pixel is the bytes red, green, blue, 0, which is what the screen wants.
  std::uint32_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const std::uint32_t* row(int y) const {
    return pixels_.data() + static_cast<std::size_t>(y) * width_;
  }
  const std::vector<std::uint32_t>& pixels() const { return pixels_; }

  // Out-of-range reads return 0 and writes do nothing: a convenience for tests
  // and single pixels, never for inner loops.
  COLORREF pixel(int x, int y) const;
  void set_pixel(int x, int y, COLORREF colour);

  // Cls: the whole image filled with the back colour.
  void Cls();
  // Replaces the image with one of another size, filled with the back colour.
  void resize(int width, int height);

  COLORREF back_colour = RGB(255, 255, 255);
  COLORREF pen_colour = 0;                 // ForeColor of the picture box
  COLORREF brush_colour = 0;               // FillColor of the picture box
  int fill_style = FILL_TRANSPARENT;       // FILL_SOLID paints polygon interiors
  POINT current_position;                  // MoveToEx / LineTo

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

// The device context handle the drawing functions take.
using HDC = Surface*;

}  // namespace gdi
