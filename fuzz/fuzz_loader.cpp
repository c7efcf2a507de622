// Feeds arbitrary bytes to the model loader as the contents of a model file,
// loaded as a click on it in the model list does (which then runs one frame
// of the loaded model). The editions load differently (zoom bar, wider
// table), so the file's length picks one, leaving every byte to the file.
// Lines end in any mix of CR, CR LF and LF; numbers may be anything the
// number reader takes. A bad file must end as the loader's own error
// message, never a crash; the loader's limit of 19000 triangles holds
// whatever the file's length.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/form1.h"
#include "editions/editions.h"
#include "platform/toolkit/headless_toolkit.h"

namespace {

// A folder of this process's own holding the one model file, made once.
const std::filesystem::path& model_folder() {
  static const std::filesystem::path folder = [] {
    std::filesystem::path p = std::filesystem::temp_directory_path() /
                              ("kelvo_fuzz_loader_" + std::to_string(::getpid()));
    std::filesystem::create_directories(p);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(model_folder(), ignored);
    });
    return p;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path& folder = model_folder();
  {
    std::ofstream out(folder / "model.atl", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }

  toolkit::HeadlessToolkit toolkit;
  app::Form1 form(*editions::find_edition(1 + static_cast<long>(size % 10)), toolkit,
                  folder.string());
  toolkit.at_frame_end = [&](long frame) {
    if (frame == 1) form.form.user_close();
  };
  form.File1.Refresh();
  if (form.File1.items().size() != 1) std::abort();
  form.File1.user_click(0);

  // A file that opens always loads, and never more than 19000 triangles.
  if (!form.B3D.TriangleTable) std::abort();
  const b3d::Table& table = *form.B3D.TriangleTable;
  if (table.upper_row() < 0 || table.upper_row() > b3d::kMaxTriangles) std::abort();
  return 0;
}
