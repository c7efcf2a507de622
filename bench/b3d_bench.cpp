// The stages of a frame on the sample tori of 1000 and 19000 triangles, each
// alone and as a whole headless frame, with the floors they compare against:
// one copy of the table, and the literal selection sort the depth sort replaces.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "app/form1.h"
#include "bench/bench_scene.h"
#include "tests/b3d/selection_sort.h"

namespace {

using bench::Scene;

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

// The keys the sorts are timed on (the second argument): the torus's own,
// random ones, or many ties, only 16 different keys.
enum Keys { kTorusKeys, kRandomKeys, kTiedKeys };

void set_keys(Scene& scene, int keys) {
  if (keys == kTorusKeys) return;
  std::mt19937 rng(7);
  b3d::Table& table = scene.table();
  for (int i = 1; i <= table.upper_row(); ++i) {
    for (const int column : {b3d::kViewZ1, b3d::kViewZ2, b3d::kViewZ3}) {
      table(i, column) = keys == kRandomKeys
                             ? std::uniform_real_distribution<float>(-300, 300)(rng)
                             : static_cast<float>(rng() % 16) * 10;
    }
  }
}

// A sort timed on the same unsorted table each iteration: the depth sort,
// or for the ratio the selection sort it replaces.
void sort_unsorted(benchmark::State& state, void (*sort)(Scene&)) {
  Scene scene(static_cast<int>(state.range(0)));
  set_keys(scene, static_cast<int>(state.range(1)));
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

// The floor the depth sort is held to: std::sort of the same keys, far to
// near, alone: no table is read or written.
void BM_StdSortKeys(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  set_keys(scene, static_cast<int>(state.range(1)));
  const b3d::Table& table = scene.table();
  std::vector<float> keys;
  for (int i = 1; i <= table.upper_row(); ++i) {
    keys.push_back(table(i, b3d::kViewZ1) + table(i, b3d::kViewZ2) + table(i, b3d::kViewZ3));
  }
  std::vector<float> sorted(keys.size());
  for (auto _ : state) {
    std::copy(keys.begin(), keys.end(), sorted.begin());
    std::sort(sorted.begin(), sorted.end(), std::greater<float>());
    benchmark::ClobberMemory();
  }
  set_triangles(state, static_cast<int>(state.range(0)));
}

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

// One thread or two, from the benchmark's second argument.
b3d::Threads threads(const benchmark::State& state) {
  return state.range(1) == 2 ? b3d::Threads::Two : b3d::Threads::One;
}

// A renderer drawing a projected and sorted torus into a cleared main view,
// with the number of threads of the second argument; the clearing is not
// timed.
void draw(benchmark::State& state, void (*set_up)(app::Form1&),
          void (b3d::B3D::*renderer)(toolkit::PictureBox&)) {
  Scene scene(static_cast<int>(state.range(0)));
  app::Form1& form = scene.form;
  set_up(form);
  form.B3D.set_threads(threads(state));
  form.B3D.ProjectModel();
  form.B3D.DepthSort();
  for (auto _ : state) {
    state.PauseTiming();
    form.Picture1.Cls();
    form.Picture3.Cls();
    state.ResumeTiming();
    (form.B3D.*renderer)(form.Picture1);
  }
  set_triangles(state, static_cast<int>(state.range(0)));
}

// Ways of drawing, each edition 8's defaults (filled gradient triangles,
// shaded, culled, perspective, Z sort) with a few boxes changed.
void defaults(app::Form1&) {}
void polygons(app::Form1& form) { form.Check8.set_Value(0); }
void wired(app::Form1& form) { form.Check3.set_Value(1); }
void wired_only(app::Form1& form) {
  form.Check3.set_Value(1);
  form.Check4.set_Value(0);
}
void textured(app::Form1& form) { form.Check15.set_Value(1); }

void BM_DrawWire(benchmark::State& state) { draw(state, wired, &b3d::B3D::DrawWire); }
void BM_DrawFilled(benchmark::State& state) { draw(state, defaults, &b3d::B3D::DrawFilled); }
void BM_DrawFilledPolygons(benchmark::State& state) {
  draw(state, polygons, &b3d::B3D::DrawFilled);
}
void BM_DrawTextured(benchmark::State& state) { draw(state, textured, &b3d::B3D::DrawTextured); }

// Whole frames of the render loop: each benchmark iteration is one frame,
// ended by the loop's yield. Reported as frames and triangles per second.
void headless_frame(benchmark::State& state, void (*set_up)(app::Form1&)) {
  Scene scene(static_cast<int>(state.range(0)));
  app::Form1& form = scene.form;
  set_up(form);
  form.B3D.set_threads(threads(state));
  scene.toolkit.at_frame_end = [&](long) {
    if (!state.KeepRunning()) form.form.user_close();
  };
  if (state.KeepRunning()) form.Command1.user_click();
  set_triangles(state, static_cast<int>(state.range(0)));
  state.counters["frames"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// The drawing benchmarks on the given models with one thread and with two,
// timed on the clock, as a second thread's time is not the caller's.
void both_ways(benchmark::internal::Benchmark* b, const std::vector<std::int64_t>& triangles) {
  b->ArgsProduct({triangles, {1, 2}})
      ->ArgNames({"triangles", "threads"})
      ->UseRealTime()
      ->Unit(benchmark::kMicrosecond);
}
void all_models_both_ways(benchmark::internal::Benchmark* b) {
  both_ways(b, {12, 760, 1000, 19000});
}
void tori_both_ways(benchmark::internal::Benchmark* b) { both_ways(b, {1000, 19000}); }

}  // namespace

BENCHMARK(BM_RotateModel)->Arg(1000)->Arg(19000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProjectModel)->Arg(1000)->Arg(19000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(sort_unsorted, BM_DepthSort, depth_sort)
    ->ArgsProduct({{1000, 19000}, {kTorusKeys, kRandomKeys, kTiedKeys}})
    ->ArgNames({"triangles", "keys"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StdSortKeys)
    ->ArgsProduct({{1000, 19000}, {kTorusKeys, kRandomKeys, kTiedKeys}})
    ->ArgNames({"triangles", "keys"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(sort_unsorted, BM_SelectionSortReference, reference_sort)
    ->Args({1000, kTorusKeys})->Args({19000, kTorusKeys})
    ->ArgNames({"triangles", "keys"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Geometry)->Arg(1000)->Arg(19000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableCopy)->Arg(1000)->Arg(19000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawWire)->Apply(all_models_both_ways);
BENCHMARK(BM_DrawFilled)->Apply(all_models_both_ways);
BENCHMARK(BM_DrawFilledPolygons)->Apply(all_models_both_ways);
BENCHMARK(BM_DrawTextured)->Apply(all_models_both_ways);
BENCHMARK_CAPTURE(headless_frame, BM_HeadlessFrame, defaults)->Apply(all_models_both_ways);
BENCHMARK_CAPTURE(headless_frame, BM_HeadlessFrameWired, wired_only)->Apply(tori_both_ways);
BENCHMARK_CAPTURE(headless_frame, BM_HeadlessFrameTextured, textured)->Apply(tori_both_ways);
