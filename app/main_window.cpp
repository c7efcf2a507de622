#include "app/main_window.h"

#include <cstdio>

#include "app/command_line.h"
#include "app/form1.h"
#include "platform/runtime/utf8_path.h"
#include "platform/toolkit/window_toolkit.h"

namespace app {

int run_window(const editions::EditionConfig& edition,
               std::span<const std::filesystem::path> arguments) {
  const CommandLine command_line = read_command_line(edition, arguments);
  std::fputs(command_line.message.c_str(),
             command_line.action == CommandLine::Action::ShowHelp ? stdout : stderr);
  if (command_line.action != CommandLine::Action::OpenWindow) return command_line.exit_code();

  auto toolkit = toolkit::open_window_toolkit(std::string(edition.program));
  if (!toolkit) return 1;
  Form1 form(edition, *toolkit, runtime::utf8_of(command_line.model_folder));
  return toolkit->run(form.form, form.controls(), form.lines);
}

}  // namespace app
