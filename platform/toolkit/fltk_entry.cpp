// Where a Linux program starts, and the FLTK toolkit it gets.

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/toolkit/fltk_toolkit.h"

namespace toolkit {

std::unique_ptr<WindowToolkit> open_window_toolkit(const std::string& program) {
  // FLTK would print "Can't open display" and exit at the first widget.
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') {
    std::fprintf(stderr,
                 "%s needs an X display: DISPLAY is not set. Run it on a desktop, or under "
                 "xvfb-run.\n",
                 program.c_str());
    return nullptr;
  }
  return std::make_unique<FltkToolkit>();
}

}  // namespace toolkit

int main(int argc, char** argv) {
  const std::vector<std::filesystem::path> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  return toolkit::program_main(arguments);
}
