// Throughput of the raster layer on a frame's worth of small triangles, the
// sizes a projected torus gives on the demo's picture box.

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "platform/gdi/gradient.h"
#include "platform/gdi/lines.h"
#include "platform/gdi/polygon.h"

namespace {

constexpr int kWidth = 317;
constexpr int kHeight = 229;
constexpr int kTriangles = 19000;

struct Frame {
  std::vector<gdi::POINT> corners;  // three per triangle
  std::vector<gdi::TRIVERTEX> vertices;
  std::vector<gdi::GRADIENT_TRIANGLE> mesh;
};

// Triangles min_size to max_size pixels across scattered over the surface, a
// fixed seed so that runs compare. The default sizes are a close-up; a whole
// torus on the picture box has mostly tiny triangles, where the set-up per
// triangle and per row outweighs the pixels.
struct Sizes {
  int min_size = 5;
  int max_size = 40;
};
constexpr Sizes kTorusSizes{1, 12};

Frame make_frame(bool shaded, Sizes sizes = {}) {
  std::mt19937 rng(2024);
  Frame f;
  const auto range = static_cast<unsigned>(sizes.max_size - sizes.min_size + 1);
  for (int k = 0; k < kTriangles; ++k) {
    const int size = sizes.min_size + static_cast<int>(rng() % range);
    const int cx = static_cast<int>(rng() % kWidth), cy = static_cast<int>(rng() % kHeight);
    const auto grey = static_cast<gdi::COLOR16>(rng());
    for (int i = 0; i < 3; ++i) {
      const gdi::POINT p{cx + static_cast<int>(rng() % (size + 1)) - size / 2,
                         cy + static_cast<int>(rng() % (size + 1)) - size / 2};
      f.corners.push_back(p);
      const auto c = shaded ? static_cast<gdi::COLOR16>(rng()) : grey;
      f.vertices.push_back({p.x, p.y, c, c, c, 0});
    }
    const auto v = static_cast<std::uint32_t>(3 * k);
    f.mesh.push_back({v, v + 1, v + 2});
  }
  return f;
}

void polygon_solid(benchmark::State& state, Sizes sizes) {
  const Frame f = make_frame(false, sizes);
  gdi::Surface s(kWidth, kHeight, gdi::RGB(255, 255, 255));
  s.fill_style = gdi::FILL_SOLID;
  s.brush_colour = gdi::RGB(40, 90, 160);
  for (auto _ : state) {
    for (int k = 0; k < kTriangles; ++k) gdi::Polygon(&s, &f.corners[3 * k], 3);
    benchmark::DoNotOptimize(s.row(0));
  }
  state.SetItemsProcessed(state.iterations() * kTriangles);
}
void BM_PolygonSolid(benchmark::State& state) { polygon_solid(state, {}); }
void BM_PolygonSolidSmall(benchmark::State& state) { polygon_solid(state, kTorusSizes); }

void gradient(benchmark::State& state, bool shaded, Sizes sizes = {}) {
  const Frame f = make_frame(shaded, sizes);
  gdi::Surface s(kWidth, kHeight, gdi::RGB(255, 255, 255));
  for (auto _ : state) {
    gdi::GdiGradientFill(&s, f.vertices.data(), static_cast<std::uint32_t>(f.vertices.size()),
                         f.mesh.data(), kTriangles, gdi::GRADIENT_FILL_TRIANGLE);
    benchmark::DoNotOptimize(s.row(0));
  }
  state.SetItemsProcessed(state.iterations() * kTriangles);
}
void BM_GradientFlat(benchmark::State& state) { gradient(state, false); }
void BM_GradientShaded(benchmark::State& state) { gradient(state, true); }
void BM_GradientFlatSmall(benchmark::State& state) { gradient(state, false, kTorusSizes); }

void BM_PolylineOutline(benchmark::State& state) {
  const Frame f = make_frame(false);
  std::vector<gdi::POINT> closed;
  for (int k = 0; k < kTriangles; ++k) {
    closed.insert(closed.end(), f.corners.begin() + 3 * k, f.corners.begin() + 3 * k + 3);
    closed.push_back(f.corners[3 * k]);
  }
  gdi::Surface s(kWidth, kHeight, gdi::RGB(255, 255, 255));
  for (auto _ : state) {
    for (int k = 0; k < kTriangles; ++k) gdi::Polyline(&s, &closed[4 * k], 4);
    benchmark::DoNotOptimize(s.row(0));
  }
  state.SetItemsProcessed(state.iterations() * kTriangles);
}

BENCHMARK(BM_PolygonSolid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PolygonSolidSmall)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GradientFlat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GradientFlatSmall)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GradientShaded)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PolylineOutline)->Unit(benchmark::kMillisecond);

}  // namespace
