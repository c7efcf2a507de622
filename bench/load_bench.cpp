// The model loader's input speed: the largest sample model, and one line of
// 50 MB of digits (the kind of file that once took the loader seconds and
// hundreds of megabytes). Bytes per second count the file's bytes.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/form1.h"
#include "editions/editions.h"
#include "platform/toolkit/headless_toolkit.h"

namespace {

namespace fs = std::filesystem;

// A folder with the two files, made once.
const fs::path& folder() {
  static const fs::path dir = [] {
    fs::path d = fs::temp_directory_path() / "kelvo_load_bench";
    fs::create_directories(d);
    fs::copy_file(KELVO_SOURCE_DIR "/models/torus19000.atl", d / "torus19000.atl",
                  fs::copy_options::overwrite_existing);
    std::ofstream(d / "long_line.atl", std::ios::binary) << std::string(50'000'000, '7');
    return d;
  }();
  return dir;
}

void BM_LoadModel(benchmark::State& state, const char* name) {
  toolkit::HeadlessToolkit toolkit;
  app::Form1 form(editions::edition8(), toolkit, folder().string());
  const auto& items = form.File1.items();
  const auto index = std::find(items.begin(), items.end(), name) - items.begin();
  form.File1.on_click = nullptr;
  form.File1.user_click(static_cast<int>(index));
  for (auto _ : state) {
    form.B3D.LoadModel();
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(fs::file_size(folder() / name)));
}

BENCHMARK_CAPTURE(BM_LoadModel, torus19000, "torus19000.atl")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadModel, line_of_50MB, "long_line.atl")->Unit(benchmark::kMillisecond);

}  // namespace
