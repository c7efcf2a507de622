// The stages of a frame on the sample tori of 1000 and 19000 triangles, each
// alone and as a whole headless frame, with the floors they compare against:
// one copy of the table, and the literal selection sort the depth sort replaces.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "app/form1.h"
#include "editions/edition8.h"
#include "platform/toolkit/headless_toolkit.h"
#include "tests/b3d/selection_sort.h"

namespace {

// Edition 8's window on the headless toolkit with a sample torus loaded and
// turned once, so the view columns hold a real frame's values.
struct Scene {
  explicit Scene(int triangles) : form(editions::edition8(), toolkit, KELVO_SOURCE_DIR "/models") {
    const std::string name = triangles == 1000 ? "torus.atl" : "torus19000.atl";
    const auto& items = form.File1.items();
    const auto index = std::find(items.begin(), items.end(), name) - items.begin();
    form.File1.on_click = nullptr;
    form.File1.user_click(static_cast<int>(index));
    form.B3D.LoadModel();
    rotate();
  }
  void rotate() {
    float x = 20, y = 33, z = 0;
    form.B3D.RotateModel(x, y, z);
  }
  b3d::Table& table() { return *form.B3D.TriangleTable; }

  toolkit::HeadlessToolkit toolkit;
  app::Form1 form;
};

void set_triangles(benchmark::State& state, int triangles) {
  state.SetItemsProcessed(state.iterations() * triangles);
}

void BM_RotateModel(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    scene.rotate();
    benchmark::ClobberMemory();
  }
  set_triangles(state, static_cast<int>(state.range(0)));
}

void BM_ProjectModel(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    scene.rotate();  // a fresh view each time, or the divides compound
    state.ResumeTiming();
    scene.form.B3D.ProjectModel();
    benchmark::ClobberMemory();
  }
  set_triangles(state, static_cast<int>(state.range(0)));
}

// A sort timed on the same unsorted table each iteration: the depth sort,
// or for the ratio the selection sort it replaces.
void sort_unsorted(benchmark::State& state, void (*sort)(Scene&)) {
  Scene scene(static_cast<int>(state.range(0)));
  const b3d::Table unsorted = scene.table();
  for (auto _ : state) {
    state.PauseTiming();
    scene.table() = unsorted;
    state.ResumeTiming();
    sort(scene);
    benchmark::ClobberMemory();
  }
  set_triangles(state, static_cast<int>(state.range(0)));
}
void depth_sort(Scene& scene) { scene.form.B3D.DepthSort(); }
void reference_sort(Scene& scene) { selection_sort(scene.table()); }

// Rotate, project and sort, as one frame runs them.
void BM_Geometry(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    scene.rotate();
    scene.form.B3D.ProjectModel();
    scene.form.B3D.DepthSort();
    benchmark::ClobberMemory();
  }
  set_triangles(state, static_cast<int>(state.range(0)));
}

// The floor of any stage that touches every cell: one copy of the table.
void BM_TableCopy(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  b3d::Table copy = scene.table();
  for (auto _ : state) {
    std::memcpy(copy.row(0), scene.table().row(0),
                sizeof(float) * b3d::kColumns * static_cast<std::size_t>(copy.upper_row() + 1));
    benchmark::ClobberMemory();
  }
  set_triangles(state, static_cast<int>(state.range(0)));
}

void BM_DrawWire(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  scene.form.B3D.ProjectModel();
  scene.form.B3D.DepthSort();
  for (auto _ : state) {
    scene.form.Picture1.Cls();
    scene.form.B3D.DrawWire(scene.form.Picture1);
  }
  set_triangles(state, static_cast<int>(state.range(0)));
}

// Whole frames of the render loop with edition 8's defaults and "Wired"
// ticked: each benchmark iteration is one frame, ended by the loop's yield.
void BM_HeadlessFrame(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  app::Form1& form = scene.form;
  form.Check3.set_Value(1);
  scene.toolkit.at_frame_end = [&](long) {
    if (!state.KeepRunning()) form.form.user_close();
  };
  if (state.KeepRunning()) form.Command1.user_click();
  set_triangles(state, static_cast<int>(state.range(0)));
}

}  // namespace

BENCHMARK(BM_RotateModel)->Arg(1000)->Arg(19000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProjectModel)->Arg(1000)->Arg(19000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(sort_unsorted, BM_DepthSort, depth_sort)
    ->Arg(1000)->Arg(19000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(sort_unsorted, BM_SelectionSortReference, reference_sort)
    ->Arg(1000)->Arg(19000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Geometry)->Arg(1000)->Arg(19000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableCopy)->Arg(1000)->Arg(19000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawWire)->Arg(1000)->Arg(19000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HeadlessFrame)->Arg(1000)->Arg(19000)->Unit(benchmark::kMicrosecond);
