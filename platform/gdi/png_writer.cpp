#include "platform/gdi/png_writer.h"

#include <png.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace gdi {

void write_png(const std::string& path, const Surface& surface) {
  const auto fail = [&](const std::string& why) {
    throw std::runtime_error("write_png: cannot write '" + path + "': " + why);
  };
  if (surface.width() <= 0 || surface.height() <= 0) fail("the surface is empty");

  // libpng's simplified interface reports errors through image.message
  // instead of longjmp, which would skip C++ destructors.
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(surface.width());
  image.height = static_cast<png_uint_32>(surface.height());
  image.format = PNG_FORMAT_RGB;

  std::vector<std::uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(surface.width()) * surface.height() * 3);
  for (const std::uint32_t p : surface.pixels()) {
    rgb.push_back(static_cast<std::uint8_t>(GetRValue(p)));
    rgb.push_back(static_cast<std::uint8_t>(GetGValue(p)));
    rgb.push_back(static_cast<std::uint8_t>(GetBValue(p)));
  }
  if (png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) == 0) {
    const std::string why = image.message;
    png_image_free(&image);
    fail(why);
  }
}

}  // namespace gdi
