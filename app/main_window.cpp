#include "app/main_window.h"

#include <filesystem>

#include "app/form1.h"
#include "platform/runtime/utf8_path.h"
#include "platform/toolkit/window_toolkit.h"

namespace app {

int run_window(const editions::EditionConfig& edition) {
  auto toolkit = toolkit::open_window_toolkit(std::string(edition.program));
  if (!toolkit) return 1;
  std::error_code error;
  const std::string folder = runtime::utf8_of(std::filesystem::current_path(error));

  Form1 form(edition, *toolkit, folder);
  return toolkit->run(form.form, form.controls(), form.lines);
}

}  // namespace app
