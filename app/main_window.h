#pragma once
#include <filesystem>
#include <span>

#include "editions/edition_config.h"

namespace app {
// Opens the edition's window and runs it until it is closed. The model list
// shows the folder named by the one argument, or else the working folder
// (app/command_line.h). Returns the process exit code.
int run_window(const editions::EditionConfig& edition,
               std::span<const std::filesystem::path> arguments);
}  // namespace app
