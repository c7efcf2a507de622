// Writes the textures of Picture5: generate_textures OUTPUT_FOLDER.
//
// Each image is a pixel function of (x, y), y from the top, written as a
// 24-bit Windows bitmap. Integer arithmetic only, so that every machine writes
// the same bytes as the committed files.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Colour {
  int r, g, b;  // clamped to 0..255 when written
};

std::uint8_t clamp_byte(int v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xFFFFu);
  put16(out, v >> 16);
}

// A file header and a BITMAPINFOHEADER, then the rows bottom row first, each
// as blue, green, red bytes padded to a multiple of 4. All little-endian.
template <class Pixel>
bool write_bmp(const std::string& path, int width, int height, Pixel pixel) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
  const std::uint32_t image_size = stride * static_cast<std::uint32_t>(height);
  constexpr std::uint32_t kHeaders = 14 + 40;
  constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  put32(out, kHeaders + image_size);
  put32(out, 0);  // two reserved words
  put32(out, kHeaders);
  put32(out, 40);
  put32(out, static_cast<std::uint32_t>(width));
  put32(out, static_cast<std::uint32_t>(height));  // positive: bottom row first
  put16(out, 1);                                   // planes
  put16(out, 24);                                  // bits per pixel
  put32(out, 0);                                   // no compression
  put32(out, image_size);
  put32(out, kPixelsPerMetre);
  put32(out, kPixelsPerMetre);
  put32(out, 0);  // colours used: none, there is no palette
  put32(out, 0);  // important colours: all
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const Colour c = pixel(x, y);
      out.push_back(clamp_byte(c.b));
      out.push_back(clamp_byte(c.g));
      out.push_back(clamp_byte(c.r));
    }
    out.resize(out.size() + (stride - static_cast<std::uint32_t>(width) * 3), 0);
  }

  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    std::perror(path.c_str());
    return false;
  }
  const bool written = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && written;
}

// A fixed integer hash for the grain: the same on every machine, unlike rand().
std::uint32_t hash(int x, int y, std::uint32_t seed) {
  std::uint32_t h = seed ^ (static_cast<std::uint32_t>(x) * 0x9E3779B1u) ^
                    (static_cast<std::uint32_t>(y) * 0x85EBCA77u);
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

// The orientation mark every image carries near its top-left corner: an "F",
// which differs from each of its mirror images and turns, so a flipped or
// turned drawing shows. Three pixels wide and four high at scale 1.
bool on_mark(int x, int y, int left, int top, int scale) {
  constexpr const char* kF[] = {"###", "#..", "##.", "#.."};
  if (x < left || y < top || x >= left + 3 * scale || y >= top + 4 * scale) return false;
  return kF[(y - top) / scale][(x - left) / scale] == '#';
}

// Editions 6, 7 and 8: dark stone blocks in courses of 8 rows, joined by
// lighter mortar, each block bevelled as if lit from the upper left. The
// renderer shows the upper-left half of the image, so the joints are staggered
// there and the mark, light on the dark stone, sits near the top-left corner.
Colour edition6(int x, int y) {
  constexpr int kSize = 32;
  constexpr int kCourse = 8;  // the last row of each course is mortar
  // The two vertical joints of each course, irregular so blocks differ in width.
  constexpr int kJoints[kSize / kCourse][2] = {{11, 27}, {4, 19}, {13, 29}, {6, 22}};

  const int grain = static_cast<int>(hash(x, y, 8) % 7) - 3;
  if (on_mark(x, y, 3, 2, 1)) return {134 + grain, 130 + grain, 123 + grain};

  const int course = y / kCourse;
  const int row = y % kCourse;
  const int* joints = kJoints[course];
  if (row == kCourse - 1 || x == joints[0] || x == joints[1]) {
    return {102 + grain, 99 + grain, 94 + grain};
  }

  // The block holding x: the second lies between the joints, the first wraps
  // around the image's sides so that the texture tiles.
  const bool second = x > joints[0] && x < joints[1];
  const int first_x = second ? joints[0] + 1 : joints[1] + 1;
  const int last_x = second ? joints[1] - 1 : joints[0] - 1 + kSize;
  const int from_left = (x - first_x + kSize) % kSize;
  const int from_right = (last_x - first_x) - from_left;
  const int from_top = row, from_bottom = kCourse - 2 - row;

  // Each block its own shade and a touch of warmth or coolness.
  const std::uint32_t block = hash(course, second ? 1 : 0, 88);
  int shade = 60 + static_cast<int>(block % 14);
  const int tint = static_cast<int>(block / 14 % 5) - 2;

  // Light from the upper left: bright top and left edges, dark bottom and right.
  if (from_top == 0) shade += 20;
  if (from_top == 1) shade += 6;
  if (from_left == 0) shade += 12;
  if (from_bottom == 0) shade -= 16;
  if (from_right == 0) shade -= 10;
  // Sparse pits in the stone.
  if (hash(x, y, 888) % 19 == 0) shade -= 9;
  shade += grain;
  return {shade + 2 + tint, shade, shade - 2 - tint};
}

// Edition 5: a floor of square tiles, 8 pixels with the grout, in a checker of
// muted terracotta and grey-green. Each tile is bevelled as if lit from the
// upper left and carries its own shade, and a light mark sits on the top-left
// tile.
Colour edition5(int x, int y) {
  constexpr int kTile = 8;  // the last row and column of each tile are grout
  const int grain = static_cast<int>(hash(x, y, 5) % 9) - 4;
  if (on_mark(x, y, 2, 1, 1)) return {176 + grain, 160 + grain, 132 + grain};

  const int col = x % kTile, row = y % kTile;
  if (col == kTile - 1 || row == kTile - 1) return {62 + grain, 58 + grain, 54 + grain};

  const int tx = x / kTile, ty = y / kTile;
  const bool terracotta = (tx + ty) % 2 == 0;
  int shade = static_cast<int>(hash(tx, ty, 55) % 11) - 5;
  if (row == 0 || col == 0) shade += 14;
  if (row == kTile - 2 || col == kTile - 2) shade -= 14;
  // Flecks in the glaze.
  if (hash(x, y, 555) % 23 == 0) shade += 12;
  shade += grain;
  if (terracotta) return {142 + shade, 86 + shade, 62 + shade};
  return {92 + shade, 104 + shade, 90 + shade};
}

// Edition 9: brown bricks, 8 by 3 pixels, in a running bond of courses of
// 4 rows on tan mortar, each brick its own shade. Being 16 pixels square, the
// image has room only for a dark mark drawn across the top-left brick and the
// mortar under it.
Colour edition9(int x, int y) {
  constexpr int kSize = 16;
  constexpr int kBrick = 8, kCourse = 4;  // the last row of each course is mortar
  const int grain = static_cast<int>(hash(x, y, 9) % 7) - 3;
  if (on_mark(x, y, 2, 0, 1)) return {58 + grain, 38 + grain, 28 + grain};

  const int course = y / kCourse, row = y % kCourse;
  // Every other course is shifted by half a brick; the joints wrap around the
  // sides so that the texture tiles.
  const int shifted = (x + (course % 2 == 1 ? kBrick / 2 : 0)) % kSize;
  const int col = shifted % kBrick;
  if (row == kCourse - 1 || col == kBrick - 1) return {158 + grain, 138 + grain, 110 + grain};

  const std::uint32_t brick = hash(shifted / kBrick, course, 99);
  int shade = static_cast<int>(brick % 21) - 10;
  const int redness = static_cast<int>(brick / 21 % 13) - 6;
  if (row == 0) shade += 10;
  if (col == 0) shade += 6;
  if (row == kCourse - 2) shade -= 10;
  shade += grain;
  return {126 + shade + redness, 78 + shade, 52 + shade - redness / 2};
}

// The integer square root, rounded down: the same on every machine.
int isqrt(int n) {
  int r = 0;
  while ((r + 1) * (r + 1) <= n) ++r;
  return r;
}

// Edition 10: a mosaic of rounded pebbles in sandstone, slate, rust, sage and
// cream, set in dark mortar. One pebble sits near each point of an 8 by 8 grid,
// jittered; a pixel belongs to the nearest, measured around the image's sides
// so that the texture tiles. Each pebble is domed, lit from the upper left,
// and darkens towards its rim. The mark near the top-left corner is drawn at
// twice the others' scale.
Colour edition10(int x, int y) {
  constexpr int kSize = 64;
  constexpr int kCell = 8;
  constexpr int kCells = kSize / kCell;
  constexpr Colour kStones[] = {
      {170, 144, 108},  // sandstone
      {100, 110, 124},  // slate
      {150, 90, 64},    // rust
      {120, 132, 100},  // sage
      {180, 168, 142},  // cream
      {92, 88, 84},     // charcoal
  };
  const int grain = static_cast<int>(hash(x, y, 10) % 7) - 3;
  // Light on the many light stones, so outlined in the mortar's colour.
  if (on_mark(x, y, 4, 3, 2)) return {214 + grain, 206 + grain, 184 + grain};
  for (int j = -1; j <= 1; ++j) {
    for (int i = -1; i <= 1; ++i) {
      if (on_mark(x + i, y + j, 4, 3, 2)) return {48 + grain, 45 + grain, 42 + grain};
    }
  }

  // The nearest pebble centre and the second nearest, squared distances.
  const auto wrap = [](int d) { return d < -kSize / 2 ? d + kSize : d >= kSize / 2 ? d - kSize : d; };
  int best = 1 << 30, second = 1 << 30;
  int best_dx = 0, best_dy = 0, best_cell = 0;
  int second_dx = 0, second_dy = 0;
  const int cx = x / kCell, cy = y / kCell;
  for (int j = -1; j <= 1; ++j) {
    for (int i = -1; i <= 1; ++i) {
      const int gx = (cx + i + kCells) % kCells, gy = (cy + j + kCells) % kCells;
      const std::uint32_t h = hash(gx, gy, 1010);
      const int sx = gx * kCell + 1 + static_cast<int>(h % 6);
      const int sy = gy * kCell + 1 + static_cast<int>(h / 6 % 6);
      const int dx = wrap(x - sx), dy = wrap(y - sy);
      const int d = dx * dx + dy * dy;
      if (d < best) {
        second = best;
        second_dx = best_dx;
        second_dy = best_dy;
        best = d;
        best_dx = dx;
        best_dy = dy;
        best_cell = gy * kCells + gx;
      } else if (d < second) {
        second = d;
        second_dx = dx;
        second_dy = dy;
      }
    }
  }
  // Distance to the border between the two pebbles, in quarter pixels:
  // (second - best) / (2 * |centre to centre|) pixels.
  const int ax = best_dx - second_dx, ay = best_dy - second_dy;
  const int apart = isqrt(16 * (ax * ax + ay * ay));  // quarter pixels
  const int edge = apart == 0 ? 0 : 8 * (second - best) / apart;
  if (edge < 3) return {48 + grain, 45 + grain, 42 + grain};

  const std::uint32_t stone = hash(best_cell, 0, 1011);
  const Colour base = kStones[stone % 6];
  int shade = static_cast<int>(stone / 6 % 13) - 6;
  shade -= 3 * (best_dx + best_dy);  // lit from the upper left
  if (edge < 6) shade -= 16;         // the rim turns away from the light
  if (best_dx >= -3 && best_dx <= -1 && best_dy >= -3 && best_dy <= -1) shade += 10;  // the gleam
  shade += grain;
  return {base.r + shade, base.g + shade, base.b + shade};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: generate_textures OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string dir = argv[1];
  bool ok = true;
  ok &= write_bmp(dir + "/edition5.bmp", 32, 32, edition5);
  ok &= write_bmp(dir + "/edition6.bmp", 32, 32, edition6);
  ok &= write_bmp(dir + "/edition9.bmp", 16, 16, edition9);
  ok &= write_bmp(dir + "/edition10.bmp", 64, 64, edition10);
  return ok ? 0 : 1;
}
