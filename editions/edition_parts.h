#pragma once
// What the edition configurations share: the platform functions and B3D
// procedures each edition has, and the window of editions 6 to 10.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "editions/edition_config.h"

namespace editions {

// "kelvo" for edition 1, "kelvo2" to "kelvo10" for the others.
std::string_view program_name(int edition);
std::vector<PlatformFunction> platform_functions_of(int edition);
std::vector<std::string_view> procedures_of(int edition);

// The window of editions 6 to 10, with Picture5 sized for a texture of
// texture_size pixels a side, and the loop and procedures of the full
// renderer.
EditionConfig full_window(int texture_size);

// A window made an edition: its number, name, functions and procedures.
EditionConfig named_edition(int edition, EditionConfig window);

// An edition from 6 on: the full window, named, with its texture.
EditionConfig full_edition(int edition, std::span<const std::uint8_t> texture, int texture_size);

// Editions 3 and 4, which differ only in the gradient entry they call.
EditionConfig sign_shaded_edition(int edition, b3d::GradientEntry gradient_entry);

}  // namespace editions
