#include "platform/gdi/bmp.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace gdi {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
// Far beyond any texture; keeps width * height * 3 well inside 64 bits.
constexpr std::int64_t kMaxSide = 1 << 16;

// BMP fields are little-endian whatever the machine.
std::uint32_t u32_at(std::span<const std::uint8_t> b, std::size_t at) {
  return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 | std::uint32_t{b[at + 2]} << 16 |
         std::uint32_t{b[at + 3]} << 24;
}
std::uint16_t u16_at(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
std::int32_t i32_at(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::int32_t>(u32_at(b, at));  // two's complement, defined since C++20
}

[[noreturn]] void fail(const std::string& what) { throw std::runtime_error("BMP: " + what); }

}  // namespace

Bitmap read_bmp(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kFileHeaderSize + kInfoHeaderSize) {
    fail("too short for the headers (" + std::to_string(bytes.size()) + " bytes)");
  }
  if (bytes[0] != 'B' || bytes[1] != 'M') fail("not a bitmap file (no 'BM' signature)");
  const std::uint32_t data_offset = u32_at(bytes, 10);
  const std::uint32_t header_size = u32_at(bytes, 14);
  const std::int64_t width = i32_at(bytes, 18);
  const std::int64_t height = i32_at(bytes, 22);
  const std::uint16_t planes = u16_at(bytes, 26);
  const std::uint16_t bits = u16_at(bytes, 28);
  const std::uint32_t compression = u32_at(bytes, 30);

  if (header_size != kInfoHeaderSize) {
    fail("info header of " + std::to_string(header_size) + " bytes, expected 40");
  }
  if (planes != 1) fail(std::to_string(planes) + " planes, expected 1");
  if (bits != 24) fail(std::to_string(bits) + " bits per pixel, only 24 is supported");
  if (compression != 0) fail("compressed (method " + std::to_string(compression) + ")");
  // A negative height means the rows are stored top row first.
  const bool top_down = height < 0;
  const std::int64_t rows = top_down ? -height : height;
  if (width <= 0 || rows == 0 || width > kMaxSide || rows > kMaxSide) {
    fail("absurd size " + std::to_string(width) + " x " + std::to_string(height));
  }
  if (data_offset < kFileHeaderSize + kInfoHeaderSize) {
    fail("pixel data offset " + std::to_string(data_offset) + " lies inside the headers");
  }

  // Rows are padded to a multiple of 4 bytes; the last row's padding may be
  // missing without losing any pixel.
  const std::int64_t stride = (width * 3 + 3) / 4 * 4;
  const std::int64_t needed = std::int64_t{data_offset} + stride * (rows - 1) + width * 3;
  if (needed > static_cast<std::int64_t>(bytes.size())) {
    fail("truncated pixel data (" + std::to_string(bytes.size()) + " bytes, need " +
         std::to_string(needed) + ")");
  }

  Bitmap bitmap;
  bitmap.width = static_cast<int>(width);
  bitmap.height = static_cast<int>(rows);
  bitmap.pixels.resize(static_cast<std::size_t>(width * rows));
  for (std::int64_t y = 0; y < rows; ++y) {
    const std::int64_t stored = top_down ? y : rows - 1 - y;
    const std::uint8_t* in = bytes.data() + data_offset + stored * stride;
    COLORREF* out = bitmap.pixels.data() + y * width;
    for (std::int64_t x = 0; x < width; ++x, in += 3) out[x] = RGB(in[2], in[1], in[0]);
  }
  return bitmap;
}

}  // namespace gdi
