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

// Edition 8: dark stone blocks in courses of 8 rows, joined by lighter mortar,
// each block bevelled as if lit from the upper left. The renderer shows the
// upper-left half of the image, so the joints are staggered there, and a small
// light "F" near the top-left corner gives away any turn or mirroring.
Colour edition8(int x, int y) {
  constexpr int kSize = 32;
  constexpr int kCourse = 8;  // the last row of each course is mortar
  // The two vertical joints of each course, irregular so blocks differ in width.
  constexpr int kJoints[kSize / kCourse][2] = {{11, 27}, {4, 19}, {13, 29}, {6, 22}};
  constexpr const char* kMark[] = {"###", "#..", "##.", "#.."};
  constexpr int kMarkX = 3, kMarkY = 2;

  const int grain = static_cast<int>(hash(x, y, 8) % 7) - 3;
  if (x >= kMarkX && x < kMarkX + 3 && y >= kMarkY && y < kMarkY + 4 &&
      kMark[y - kMarkY][x - kMarkX] == '#') {
    return {134 + grain, 130 + grain, 123 + grain};
  }

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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: generate_textures OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string dir = argv[1];
  bool ok = true;
  ok &= write_bmp(dir + "/edition8.bmp", 32, 32, edition8);
  return ok ? 0 : 1;
}
