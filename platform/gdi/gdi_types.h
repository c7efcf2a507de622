#pragma once
// The records and constants of the drawing interface, laid out as the
// platform's GDI has them, so the renderers read like calls into it.

#include <cstdint>

namespace gdi {

// A colour reference: red in the low byte, then green, then blue (0x00BBGGRR).
using COLORREF = std::uint32_t;

constexpr COLORREF RGB(unsigned r, unsigned g, unsigned b) {
  return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned GetRValue(COLORREF c) { return c & 0xFFu; }
constexpr unsigned GetGValue(COLORREF c) { return (c >> 8) & 0xFFu; }
constexpr unsigned GetBValue(COLORREF c) { return (c >> 16) & 0xFFu; }

struct POINT {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

using COLOR16 = std::uint16_t;

struct TRIVERTEX {
  std::int32_t x = 0;
  std::int32_t y = 0;
  COLOR16 Red = 0;
  COLOR16 Green = 0;
  COLOR16 Blue = 0;
  COLOR16 Alpha = 0;
};

struct GRADIENT_TRIANGLE {
  std::uint32_t Vertex1 = 0;
  std::uint32_t Vertex2 = 0;
  std::uint32_t Vertex3 = 0;
};

constexpr std::uint32_t GRADIENT_FILL_RECT_H = 0;
constexpr std::uint32_t GRADIENT_FILL_RECT_V = 1;
constexpr std::uint32_t GRADIENT_FILL_TRIANGLE = 2;

// FillStyle values of a surface.
constexpr int FILL_SOLID = 0;
constexpr int FILL_TRANSPARENT = 1;

}  // namespace gdi
