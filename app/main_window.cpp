#include "app/main_window.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/form1.h"
#include "platform/toolkit/fltk_toolkit.h"

namespace app {

int run_window(const editions::EditionConfig& edition, int /*argc*/, char** /*argv*/) {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') {
    std::fprintf(stderr,
                 "%s needs an X display: DISPLAY is not set. Run it on a desktop, or under "
                 "xvfb-run.\n",
                 std::string(edition.program).c_str());
    return 1;
  }
  std::error_code error;
  const std::string folder = std::filesystem::current_path(error).string();

  toolkit::FltkToolkit toolkit;
  Form1 form(edition, toolkit, folder);
  return toolkit.run(form.form, form.controls(), form.lines);
}

}  // namespace app
