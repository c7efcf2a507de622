#include "platform/gdi/png_writer.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "platform/runtime/output_file.h"

// stb's encoder is plain C with its own deflate, so every build, whatever its
// platform, writes the same bytes for the same picture.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace gdi {

namespace {

void append(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                             static_cast<std::size_t>(size));
}

}  // namespace

void write_png(const std::string& path, const Surface& surface) {
  if (surface.width() <= 0 || surface.height() <= 0) {
    throw std::runtime_error("cannot write '" + path + "': the surface is empty");
  }
  std::vector<std::uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(surface.width()) * surface.height() * 3);
  for (const std::uint32_t p : surface.pixels()) {
    rgb.push_back(static_cast<std::uint8_t>(GetRValue(p)));
    rgb.push_back(static_cast<std::uint8_t>(GetGValue(p)));
    rgb.push_back(static_cast<std::uint8_t>(GetBValue(p)));
  }
  // Encoded whole before the file is touched: a picture that cannot be made
  // leaves no trace.
  std::string png;
  if (stbi_write_png_to_func(&append, &png, surface.width(), surface.height(), 3, rgb.data(),
                             surface.width() * 3) == 0) {
    throw std::runtime_error("cannot write '" + path + "': out of memory encoding the picture");
  }
  runtime::OutputFile out(path);
  out.write(png);
  out.commit();
}

}  // namespace gdi
