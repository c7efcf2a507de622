#pragma once
#include "editions/edition_config.h"

namespace app {
// Opens the edition's window on the display and runs it until it is closed.
// The model list shows the folder named by the one argument, or else the
// working folder (app/command_line.h). Returns the process exit code.
int run_window(const editions::EditionConfig& edition, int argc, char** argv);
}  // namespace app
