#pragma once
// The textures of Picture5 as 24-bit bitmap files, compiled into the program
// from editions/textures, where generate_textures writes them.

#include <cstdint>
#include <span>

namespace editions {
std::span<const std::uint8_t> edition5_texture();   // 32 x 32, edition 5
std::span<const std::uint8_t> edition6_texture();   // 32 x 32, editions 6, 7 and 8
std::span<const std::uint8_t> edition9_texture();   // 16 x 16, edition 9
std::span<const std::uint8_t> edition10_texture();  // 64 x 64, edition 10
}  // namespace editions
