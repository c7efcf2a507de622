#pragma once
// Defined by each program: what it does once the platform has started it,
// given the arguments after the program's name. A toolkit back end holds the
// platform's entry point (main, wWinMain), which calls this.

#include <filesystem>
#include <span>

namespace toolkit {
int program_main(std::span<const std::filesystem::path> arguments);
}  // namespace toolkit
