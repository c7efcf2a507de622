#include "app/main_window.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/command_line.h"
#include "app/form1.h"
#include "platform/toolkit/fltk_toolkit.h"

namespace app {

int run_window(const editions::EditionConfig& edition, int argc, char** argv) {
  const std::vector<std::filesystem::path> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  const CommandLine command_line = read_command_line(edition, arguments);
  std::fputs(command_line.message.c_str(),
             command_line.action == CommandLine::Action::ShowHelp ? stdout : stderr);
  if (command_line.action != CommandLine::Action::OpenWindow) return command_line.exit_code();

  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') {
    std::fprintf(stderr,
                 "%s needs an X display: DISPLAY is not set. Run it on a desktop, or under "
                 "xvfb-run.\n",
                 std::string(edition.program).c_str());
    return 1;
  }
  toolkit::FltkToolkit toolkit;
  Form1 form(edition, toolkit, command_line.model_folder.string());
  return toolkit.run(form.form, form.controls(), form.lines);
}

}  // namespace app
