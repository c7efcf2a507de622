#pragma once
// Reading 24-bit uncompressed Windows bitmaps, the format of the textures.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/gdi/gdi_types.h"

namespace gdi {

struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;  // row-major, top row first
};

// Throws std::runtime_error with a message saying what is wrong with the data.
Bitmap read_bmp(std::span<const std::uint8_t> bytes);

}  // namespace gdi
