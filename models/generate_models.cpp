// Writes the sample models: generate_models OUTPUT_FOLDER.
//
// Model coordinates: x right, y down, z away from the viewer. Every triangle
// is wound so that (B - A) x (C - A) points out of the solid, which makes its
// outer side a front face for the renderer (counter-clockwise on screen).
// The loader divides by 3, so these file units are a third of a pixel.

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Vec {
  double x, y, z;
};
struct Triangle {
  Vec a, b, c;
};

constexpr double kPi = 3.14159265358979323846;

std::vector<Triangle> cube(double half) {
  // Each face as four corners counter-clockwise seen from outside.
  const double h = half;
  const Vec faces[6][4] = {
      {{-h, -h, -h}, {-h, h, -h}, {h, h, -h}, {h, -h, -h}},  // near (z = -h)
      {{-h, -h, h}, {h, -h, h}, {h, h, h}, {-h, h, h}},      // far
      {{-h, -h, -h}, {h, -h, -h}, {h, -h, h}, {-h, -h, h}},  // top (y = -h)
      {{-h, h, -h}, {-h, h, h}, {h, h, h}, {h, h, -h}},      // bottom
      {{-h, -h, -h}, {-h, -h, h}, {-h, h, h}, {-h, h, -h}},  // left
      {{h, -h, -h}, {h, h, -h}, {h, h, h}, {h, -h, h}},      // right
  };
  std::vector<Triangle> out;
  for (const auto& f : faces) {
    out.push_back({f[0], f[1], f[2]});
    out.push_back({f[0], f[2], f[3]});
  }
  return out;
}

// A grid surface p(u, v), u and v in [0, 1], closed in u; two triangles a
// cell, wound so the surface normal dp/du x dp/dv points outward.
template <class Surface>
std::vector<Triangle> grid(int nu, int nv, Surface p) {
  std::vector<Triangle> out;
  for (int i = 0; i < nu; ++i) {
    for (int j = 0; j < nv; ++j) {
      const double u0 = double(i) / nu, u1 = double(i + 1) / nu;
      const double v0 = double(j) / nv, v1 = double(j + 1) / nv;
      const Vec p00 = p(u0, v0), p10 = p(u1, v0), p01 = p(u0, v1), p11 = p(u1, v1);
      out.push_back({p00, p10, p11});
      out.push_back({p00, p11, p01});
    }
  }
  return out;
}

Vec torus_point(double big_r, double small_r, double u, double v) {
  const double a = 2 * kPi * u, b = 2 * kPi * v;
  const double ring = big_r + small_r * std::cos(b);
  // The ring lies in the x-z plane, tilted so that the hole shows.
  return {ring * std::cos(a), small_r * std::sin(b), ring * std::sin(a)};
}

std::vector<Triangle> torus(int nu, int nv, double big_r, double small_r) {
  // dp/du x dp/dv points inward for this parametrisation: swap u and v.
  return grid(nv, nu, [&](double v, double u) { return torus_point(big_r, small_r, u, v); });
}

std::vector<Triangle> sphere(int slices, int stacks, double r) {
  std::vector<Triangle> out;
  auto point = [&](int i, int j) {
    const double lon = 2 * kPi * i / slices, lat = kPi * j / stacks;
    return Vec{r * std::sin(lat) * std::cos(lon), -r * std::cos(lat),
               r * std::sin(lat) * std::sin(lon)};
  };
  for (int i = 0; i < slices; ++i) {
    for (int j = 0; j < stacks; ++j) {
      const Vec p00 = point(i, j), p10 = point(i + 1, j), p01 = point(i, j + 1),
                p11 = point(i + 1, j + 1);
      // The poles need one triangle per cell, the rest two.
      if (j != 0) out.push_back({p00, p11, p10});
      if (j != stacks - 1) out.push_back({p00, p01, p11});
    }
  }
  return out;
}

bool write_model(const std::string& path, const std::string& title,
                 const std::vector<Triangle>& triangles) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    std::perror(path.c_str());
    return false;
  }
  std::fprintf(f, "# %s, %zu triangles\r\n", title.c_str(), triangles.size());
  std::fprintf(f, "# one coordinate per line: x, y, z of three vertices per triangle\r\n");
  for (const Triangle& t : triangles) {
    for (const Vec& v : {t.a, t.b, t.c}) {
      for (double c : {v.x, v.y, v.z}) {
        // Rounded so that -0.000 never appears.
        const double rounded = std::round(c * 1000) / 1000;
        std::fprintf(f, "%.3f\r\n", rounded == 0 ? 0.0 : rounded);
      }
    }
  }
  return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: generate_models OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string dir = argv[1];
  bool ok = true;
  ok &= write_model(dir + "/cube.atl", "Cube", cube(150));
  ok &= write_model(dir + "/sphere.atl", "Sphere", sphere(20, 20, 240));
  ok &= write_model(dir + "/torus.atl", "Torus", torus(25, 20, 200, 80));
  ok &= write_model(dir + "/torus19000.atl", "Torus", torus(100, 95, 200, 80));
  return ok ? 0 : 1;
}
