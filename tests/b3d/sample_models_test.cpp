// The shipped models: the committed files are what the generator writes, and
// every triangle faces outward, so the renderer's culling shows the outside.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/runtime/number.h"
#include "platform/runtime/text_input.h"
#include "tests/test_files.h"

namespace {

struct Vec {
  double x, y, z;
};
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec cross(Vec a, Vec b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

std::vector<Vec> vertices(const std::string& path) {
  runtime::TextInput input(path);
  std::vector<double> values;
  std::string line;
  while (!input.eof()) {
    input.read_line(line);
    if (!line.empty() && line[0] != '#') values.push_back(runtime::parse_number(line));
  }
  std::vector<Vec> v;
  for (std::size_t i = 0; i + 2 < values.size(); i += 3) v.push_back({values[i], values[i + 1], values[i + 2]});
  return v;
}

// The point of the solid's core nearest to p: the centre, or for the tori
// the nearest point of the ring of radius 200 in the x-z plane.
Vec core(const std::string& name, Vec p) {
  if (name.rfind("torus", 0) != 0) return {0, 0, 0};
  const double r = std::hypot(p.x, p.z);
  return {200 * p.x / r, 0, 200 * p.z / r};
}

}  // namespace

TEST(SampleModels, CommittedFilesAreTheGeneratorsOutput) {
  const std::string out = run_generator("generate_models");
  for (const char* name : {"cube.atl", "sphere.atl", "torus.atl", "torus19000.atl"}) {
    EXPECT_EQ(read_file(out + "/" + name),
              read_file(std::string(KELVO_SOURCE_DIR) + "/models/" + name))
        << name << " differs from the generator's output";
  }
}

TEST(SampleModels, HaveTheirTriangleCountsAndFaceOutward) {
  const std::pair<const char*, std::size_t> models[] = {
      {"cube.atl", 12}, {"sphere.atl", 760}, {"torus.atl", 1000}, {"torus19000.atl", 19000}};
  for (const auto& [name, count] : models) {
    const auto v = vertices(std::string(KELVO_SOURCE_DIR) + "/models/" + name);
    ASSERT_EQ(v.size(), count * 3) << name;
    for (std::size_t i = 0; i < v.size(); i += 3) {
      const Vec n = cross(v[i + 1] - v[i], v[i + 2] - v[i]);
      const Vec centroid = {(v[i].x + v[i + 1].x + v[i + 2].x) / 3,
                            (v[i].y + v[i + 1].y + v[i + 2].y) / 3,
                            (v[i].z + v[i + 1].z + v[i + 2].z) / 3};
      ASSERT_GT(dot(n, centroid - core(name, centroid)), 0) << name << " triangle " << i / 3;
    }
  }
}
