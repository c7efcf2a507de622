#pragma once
// Reading back the PNG files the programs write, with stb's decoder, which
// builds wherever the tests run.

#include <string>
#include <vector>

#include "platform/gdi/gdi_types.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

// The RGB pixels of a PNG file, with its size; empty when it cannot be read.
struct Picture {
  unsigned width = 0, height = 0;
  int channels_in_file = 0;
  std::vector<unsigned char> rgb;
  gdi::COLORREF at(unsigned x, unsigned y) const {
    const std::size_t i = (std::size_t{y} * width + x) * 3;
    return gdi::RGB(rgb[i], rgb[i + 1], rgb[i + 2]);
  }
};

inline Picture read_png(const std::string& path) {
  Picture picture;
  int width = 0, height = 0, channels = 0;
  unsigned char* pixels = stbi_load(path.c_str(), &width, &height, &channels, 3);
  if (pixels == nullptr) return picture;
  picture.width = static_cast<unsigned>(width);
  picture.height = static_cast<unsigned>(height);
  picture.channels_in_file = channels;
  picture.rgb.assign(pixels, pixels + std::size_t{picture.width} * picture.height * 3);
  stbi_image_free(pixels);
  return picture;
}
