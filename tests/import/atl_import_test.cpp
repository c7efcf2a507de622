// atl-import run as a program on files written here: the cube in four
// formats, a scene of nodes, a large mesh that must be simplified, and the
// failures.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "b3d/screen_mapping.h"
#include "tests/b3d/b3d_fixture.h"
#include "tests/test_files.h"

namespace {

using Vec = std::array<double, 3>;
using Triangle = std::array<Vec, 3>;

// A folder of the test's own: ctest runs tests side by side.
std::string scratch(const std::string& name) {
  const testing::TestInfo& test = *testing::UnitTest::GetInstance()->current_test_info();
  const std::string dir = testing::TempDir() + "atl_import_" + test.test_suite_name() + "_" +
                          test.name();
  std::filesystem::create_directories(dir);
  return dir + "/" + name;
}

struct Outcome {
  int status;
  std::string errors;
};

// Runs atl-import with the arguments; its exit status and what it wrote to stderr.
Outcome atl_import(const std::string& arguments) {
  const std::string errors = scratch("stderr.txt");
  const std::string command = std::string(KELVO_BINARY_DIR) + "/bin/atl-import " + arguments +
                              " 2>" + errors + " >/dev/null";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(errors)};
}

// The triangles of an .atl file, checking on the way that every line ends in
// CR LF and that the numbers come in nines.
std::vector<Triangle> read_atl(const std::string& path) {
  const std::string text = read_file(path);
  std::vector<double> numbers;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "a line without CR LF at " << start;
    if (end == std::string::npos) break;
    const std::string line = text.substr(start, end - start);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    if (line.empty() || (line[0] != '#' && line[0] != '*')) numbers.push_back(std::stod(line));
    start = end + 2;
  }
  EXPECT_EQ(numbers.size() % 9, 0u);
  std::vector<Triangle> out(numbers.size() / 9);
  for (std::size_t i = 0; i < numbers.size(); ++i) out[i / 9][i % 9 / 3][i % 3] = numbers[i];
  return out;
}

// The unit cube [0, 1]^3 in the modelling convention (y up, corners
// counter-clockwise seen from outside), as quads and as triangles.
const Vec kCorner[8] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                        {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
const int kQuad[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4},
                         {3, 7, 6, 2}, {0, 4, 7, 3}, {1, 2, 6, 5}};

std::vector<std::array<int, 3>> cube_triangles(bool inward) {
  std::vector<std::array<int, 3>> out;
  for (const auto& q : kQuad) {
    out.push_back({q[0], q[1], q[2]});
    out.push_back({q[0], q[2], q[3]});
  }
  if (inward) {
    for (auto& t : out) std::swap(t[1], t[2]);
  }
  return out;
}

std::string write_cube(const std::string& format, bool inward = false) {
  const auto triangles = cube_triangles(inward);
  const std::string path =
      scratch(format + (inward ? "_inward" : "") + "." + (format == "binary_stl" ? "stl" : format));
  std::ofstream f(path, std::ios::binary);
  if (format == "obj") {
    for (const Vec& v : kCorner) f << "v " << v[0] << " " << v[1] << " " << v[2] << "\n";
    for (const auto& t : triangles)
      f << "f " << t[0] + 1 << " " << t[1] + 1 << " " << t[2] + 1 << "\n";
  } else if (format == "stl") {
    f << "solid cube\n";
    for (const auto& t : triangles) {
      f << " facet normal 0 0 0\n  outer loop\n";
      for (int i : t)
        f << "   vertex " << kCorner[i][0] << " " << kCorner[i][1] << " " << kCorner[i][2] << "\n";
      f << "  endloop\n endfacet\n";
    }
    f << "endsolid cube\n";
  } else if (format == "binary_stl") {
    f << std::string(80, ' ');
    const std::uint32_t count = static_cast<std::uint32_t>(triangles.size());
    f.write(reinterpret_cast<const char*>(&count), 4);
    for (const auto& t : triangles) {
      const float zero[3] = {0, 0, 0};
      f.write(reinterpret_cast<const char*>(zero), 12);
      for (int i : t) {
        const float v[3] = {float(kCorner[i][0]), float(kCorner[i][1]), float(kCorner[i][2])};
        f.write(reinterpret_cast<const char*>(v), 12);
      }
      f.write("\0\0", 2);
    }
  } else if (format == "ply") {
    f << "ply\nformat ascii 1.0\nelement vertex 8\nproperty float x\nproperty float y\n"
         "property float z\nelement face 12\nproperty list uchar int vertex_indices\nend_header\n";
    for (const Vec& v : kCorner) f << v[0] << " " << v[1] << " " << v[2] << "\n";
    for (const auto& t : triangles) f << "3 " << t[0] << " " << t[1] << " " << t[2] << "\n";
  }
  return path;
}

// The .atl cube is axis-aligned, so each triangle lies in one face plane and
// its outward normal is that axis, signed like the plane's coordinate. A proper
// rotation (no mirror) turns that normal towards the viewer (-z, as z points
// away); the triangle is then drawn flat, x and y as screen pixels with y down,
// and the renderers' own back-face value must call it a front face.
bool front_face_from_outside(const Triangle& t) {
  int axis = -1;
  for (int k = 0; k < 3; ++k) {
    if (t[0][k] == t[1][k] && t[1][k] == t[2][k]) axis = k;
  }
  if (axis < 0) return false;
  const bool positive = t[0][axis] > 0;
  const auto turn = [&](const Vec& p) -> Vec {
    const double x = p[0], y = p[1], z = p[2];
    switch (axis * 2 + positive) {
      case 0:
        return {-z, y, x};  // -x outward
      case 1:
        return {z, y, -x};  // +x
      case 2:
        return {x, -z, y};  // -y (up on screen)
      case 3:
        return {x, z, -y};  // +y
      case 4:
        return {x, y, z};  // -z, already facing the viewer
      default:
        return {-x, y, -z};  // +z
    }
  };
  std::array<gdi::POINT, 3> p;
  for (int i = 0; i < 3; ++i) {
    const Vec r = turn(t[i]);
    p[i] = {static_cast<std::int32_t>(std::lround(r[0])),
            static_cast<std::int32_t>(std::lround(r[1]))};
  }
  const auto e = b3d::back_face_value(p[0], p[1], p[2]);
  return e && *e > 0;
}

// Six times the enclosed volume; positive when the faces point outward.
double signed_volume(const std::vector<Triangle>& triangles) {
  double sum = 0;
  for (const auto& [a, b, c] : triangles) {
    sum += a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) +
           a[2] * (b[0] * c[1] - b[1] * c[0]);
  }
  return sum;
}

TEST(AtlImport, CubeInEveryFormatBecomesTwelveOutwardTrianglesOfTheGivenSize) {
  for (const std::string format : {"obj", "stl", "binary_stl", "ply"}) {
    SCOPED_TRACE(format);
    const std::string out = scratch(format + ".atl");
    // --size 100: 100 pixels edge to edge, 300 file units, centred: +-150.
    const std::string in = write_cube(format);
    ASSERT_EQ(atl_import(in + " --size 100 --winding keep -o " + out).status, 0);
    // The header names the source and the count.
    const std::string name = std::filesystem::path(in).filename().string();
    EXPECT_EQ(read_file(out).rfind("# " + name + ", 12 triangles (converted by atl-import)\r\n", 0),
              0u);
    const auto triangles = read_atl(out);
    ASSERT_EQ(triangles.size(), 12u);
    std::map<std::pair<int, bool>, int> per_face;
    for (const Triangle& t : triangles) {
      for (const Vec& v : t) {
        for (double c : v) EXPECT_EQ(std::abs(c), 150) << c;
      }
      EXPECT_TRUE(front_face_from_outside(t));
      for (int k = 0; k < 3; ++k) {
        if (t[0][k] == t[1][k] && t[1][k] == t[2][k]) ++per_face[{k, t[0][k] > 0}];
      }
    }
    EXPECT_EQ(per_face.size(), 6u);
    for (const auto& [face, count] : per_face) EXPECT_EQ(count, 2);
  }
  // The modelling top (y = 1) is the screen's top (y negative).
  const auto triangles = read_atl(scratch("obj.atl"));
  int top = 0;
  for (const Triangle& t : triangles) top += t[0][1] == -150 && t[1][1] == -150 && t[2][1] == -150;
  EXPECT_EQ(top, 2);
}

TEST(AtlImport, WindingOptions) {
  const std::string out = scratch("winding.atl");
  const auto all_front = [&] {
    const auto triangles = read_atl(out);
    int front = 0;
    for (const Triangle& t : triangles) front += front_face_from_outside(t);
    return front;
  };
  // auto turns an inside-out cube outward and leaves a right one alone.
  ASSERT_EQ(atl_import(write_cube("obj", true) + " -o " + out).status, 0);
  EXPECT_EQ(all_front(), 12);
  ASSERT_EQ(atl_import(write_cube("obj") + " --winding auto -o " + out).status, 0);
  EXPECT_EQ(all_front(), 12);
  ASSERT_EQ(atl_import(write_cube("obj") + " --winding flip -o " + out).status, 0);
  EXPECT_EQ(all_front(), 0);
  ASSERT_EQ(atl_import(write_cube("obj", true) + " --winding keep -o " + out).status, 0);
  EXPECT_EQ(all_front(), 0);
}

TEST(AtlImport, DefaultOutputNameAndSize) {
  const std::string in = write_cube("ply");
  std::filesystem::remove(scratch("ply.atl"));
  ASSERT_EQ(atl_import(in).status, 0);
  // 200 pixels by default: +-300 file units.
  for (const Triangle& t : read_atl(scratch("ply.atl"))) {
    for (const Vec& v : t) {
      for (double c : v) EXPECT_EQ(std::abs(c), 300);
    }
  }
}

// A torus of 50 000 triangles, y up, counter-clockwise outward.
std::string write_torus() {
  const std::string path = scratch("torus.obj");
  std::ofstream f(path);
  const int nu = 250, nv = 100;
  const double pi = 3.14159265358979323846;
  for (int i = 0; i < nu; ++i) {
    for (int j = 0; j < nv; ++j) {
      const double a = 2 * pi * i / nu, b = 2 * pi * j / nv, ring = 2 + 0.7 * std::cos(b);
      f << "v " << ring * std::cos(a) << " " << 0.7 * std::sin(b) << " " << ring * std::sin(a)
        << "\n";
    }
  }
  const auto id = [&](int i, int j) { return (i % nu) * nv + (j % nv) + 1; };
  for (int i = 0; i < nu; ++i) {
    for (int j = 0; j < nv; ++j) {
      f << "f " << id(i, j) << " " << id(i, j + 1) << " " << id(i + 1, j + 1) << "\n";
      f << "f " << id(i, j) << " " << id(i + 1, j + 1) << " " << id(i + 1, j) << "\n";
    }
  }
  return path;
}

// One triangle, (0,0,0) (1,0,0) (0,1,0), used by two nodes: one moved 2 along
// x, the other scaled by 2 inside a parent moved 3 along y.
TEST(AtlImport, SceneNodesAreMergedWithTheirTransforms) {
  const std::string path = scratch("nodes.gltf");
  std::ofstream(path) << R"({"asset": {"version": "2.0"}, "scene": 0,
    "scenes": [{"nodes": [0, 1]}],
    "nodes": [{"mesh": 0, "translation": [2, 0, 0]}, {"translation": [0, 3, 0], "children": [2]},
              {"mesh": 0, "scale": [2, 2, 2]}],
    "meshes": [{"primitives": [{"attributes": {"POSITION": 0}}]}],
    "accessors": [{"bufferView": 0, "componentType": 5126, "count": 3, "type": "VEC3",
                   "min": [0, 0, 0], "max": [1, 1, 0]}],
    "bufferViews": [{"buffer": 0, "byteLength": 36}],
    "buffers": [{"byteLength": 36,
"uri": "data:application/octet-stream;base64,AAAAAAAAAAAAAAAAAACAPwAAAAAAAAAAAAAAAAAAgD8AAAAA"}]})";
  const Outcome run = atl_import(path + " --winding keep --size 100");
  ASSERT_EQ(run.status, 0) << run.errors;
  // The corners span x 0..3 and y 0..5: centred, y turned down, 300 units to 5.
  const auto at = [](double x, double y) { return Vec{(x - 1.5) * 60, (2.5 - y) * 60, 0}; };
  std::vector<Triangle> expected = {{at(2, 0), at(3, 0), at(2, 1)}, {at(0, 3), at(2, 3), at(0, 5)}};
  std::vector<Triangle> got = read_atl(scratch("nodes.atl"));
  std::sort(expected.begin(), expected.end());
  std::sort(got.begin(), got.end());
  EXPECT_EQ(got, expected);
}

// Triangles no placement could put on screen are left out, and said so; a
// file that cannot take the name it is given leaves nothing behind.
TEST(AtlImport, UnplaceableCornersAndUnwritableOutput) {
  const std::string in = scratch("infinite.obj");
  std::ofstream(in) << "v 0 0 0\nv 1 0 0\nv 0 1 0\nv inf 0 0\nf 1 2 3\nf 1 4 2\n";
  const Outcome run = atl_import(in);
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_NE(run.errors.find("left out 1 triangle with a corner at infinity"), std::string::npos)
      << run.errors;
  EXPECT_EQ(read_atl(scratch("infinite.atl")).size(), 1u);

  const std::string dir = scratch("unwritable");
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir + "/taken.atl");
  const Outcome blocked = atl_import(in + " -o " + dir + "/taken.atl");
  EXPECT_EQ(blocked.status, 1);
  EXPECT_NE(blocked.errors.find("cannot write '" + dir), std::string::npos) << blocked.errors;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    EXPECT_EQ(entry.path().filename(), "taken.atl");
}

class AtlImportLoad : public B3DTest {};

TEST_F(AtlImportLoad, LargeMeshIsSimplifiedToWhatTheLoaderReads) {
  const std::string in = write_torus();
  const std::string dir = scratch("large");
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const Outcome run = atl_import(in + " -o " + dir + "/torus.atl");
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_NE(run.errors.find("simplifying 50000 triangles to at most 19000"), std::string::npos)
      << run.errors;
  const auto triangles = read_atl(dir + "/torus.atl");
  EXPECT_LE(triangles.size(), 19000u);
  EXPECT_GT(triangles.size(), 15000u);  // simplified, not thrown away
  EXPECT_GT(signed_volume(triangles), 0);
  EXPECT_NE(read_file(dir + "/torus.atl")
                .find(std::to_string(triangles.size()) +
                      " triangles (converted by atl-import from 50000)"),
            std::string::npos);

  // The program's loader takes every triangle, as written.
  File1.Path = dir;
  File1.Pattern = "*.atl";
  File1.Refresh();
  ASSERT_EQ(File1.items().size(), 1u);
  File1.user_click(0);
  b3d.LoadModel();
  ASSERT_EQ(table().upper_row(), static_cast<int>(triangles.size()));
  EXPECT_EQ(table()(1, 1), static_cast<float>(triangles[0][0][0] / 3));

  // A small limit is met as well.
  ASSERT_EQ(atl_import(in + " --max-triangles 300 -o " + dir + "/small.atl").status, 0);
  const auto small = read_atl(dir + "/small.atl");
  EXPECT_LE(small.size(), 300u);
  EXPECT_GT(small.size(), 100u);
}

TEST(AtlImport, UnreadableFilesFailWithAMessage) {
  const std::string garbage = scratch("garbage.obj");
  std::ofstream(garbage, std::ios::binary) << std::string("\x01\xff\x7f garbage \x00\x02", 14);
  const std::string points = scratch("points.obj");
  std::ofstream(points) << "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
  const std::string unknown = scratch("cube.nosuchformat");
  std::ofstream(unknown) << "1 2 3\n";
  const std::pair<std::string, std::string> cases[] = {
      {garbage, "garbage.obj"},
      {scratch("missing.obj"), "cannot read"},
      {points, "no triangles"},
      {unknown, "unknown model format"},
  };
  for (const auto& [file, message] : cases) {
    const Outcome run = atl_import(file + " -o " + scratch("never.atl"));
    EXPECT_EQ(run.status, 1) << file;
    EXPECT_NE(run.errors.find(message), std::string::npos) << run.errors;
  }
  EXPECT_FALSE(std::filesystem::exists(scratch("never.atl")));
}

// More corners declared than held: Assimp's reader asks for 14 GB for them
// and fills them before it finds the file short, unless the conversion's
// memory budget refuses them at once.
TEST(AtlImport, AHeaderClaimingBillionsOfCornersIsRefused) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer ends the program on any allocation that fails";
#endif
  const std::string short_off = scratch("short.off");
  std::ofstream(short_off) << "OFF\n99999999999 1 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n";
  const Outcome run = atl_import(short_off + " -o " + scratch("never.atl"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.errors.find("cannot be read as a model: it asks for more memory"),
            std::string::npos)
      << run.errors;
  EXPECT_FALSE(std::filesystem::exists(scratch("never.atl")));
}

TEST(AtlImport, BadUsageExitsWithTwo) {
  const std::string cube = write_cube("obj");
  for (const std::string& arguments : std::vector<std::string>{
           "", "--size", cube + " --size 0", cube + " --size abc", cube + " --winding sideways",
           cube + " --max-triangles 0", cube + " --max-triangles 19001",
           cube + " --max-triangles 5x", cube + " --frobnicate", cube + " " + cube, cube + " -o"}) {
    const Outcome run = atl_import(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_NE(run.errors.find("atl-import: "), std::string::npos) << arguments;
  }
  EXPECT_EQ(atl_import("--help").status, 0);
}

}  // namespace
