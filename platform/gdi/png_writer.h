#pragma once
// Writing a surface's image as an 8-bit RGB PNG file.

#include <string>

#include "platform/gdi/surface.h"

namespace gdi {

// Throws std::runtime_error naming the file and the reason on failure.
void write_png(const std::string& path, const Surface& surface);

}  // namespace gdi
