#pragma once
// The textures of Picture5 as 24-bit bitmap files, compiled into the program
// from editions/textures, where generate_textures writes them.

#include <cstdint>
#include <span>

namespace editions {
std::span<const std::uint8_t> edition8_texture();  // 32 x 32
}  // namespace editions
