#pragma once
// Defined by each program: what it does once the platform has started it.
// A toolkit back end holds the platform's entry point (main, wWinMain),
// which calls this.

namespace toolkit {
int program_main();
}  // namespace toolkit
