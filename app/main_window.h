#pragma once
#include "editions/edition_config.h"

namespace app {
// Opens the edition's window and runs it until it is closed. The model list
// shows the working folder. Returns the process exit code.
int run_window(const editions::EditionConfig& edition);
}  // namespace app
