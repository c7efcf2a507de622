// Edition 8's texture: the committed bitmap is what the generator writes, the
// program carries exactly those bytes, and the picture is one the renderer
// can be checked against: grey, never the transparent blue, and different from
// each of its mirror images, so a flipped or turned drawing shows.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "editions/edition8.h"
#include "platform/gdi/bmp.h"
#include "tests/test_files.h"

namespace {

const std::string kCommitted = std::string(KELVO_SOURCE_DIR) + "/editions/textures/edition8.bmp";

std::uint32_t field(const std::string& b, std::size_t at, int size) {
  std::uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i) {
    v = v << 8 | static_cast<std::uint8_t>(b.at(at + static_cast<std::size_t>(i)));
  }
  return v;
}

}  // namespace

TEST(Edition8Texture, CommittedFileIsTheGeneratorsOutputAndTheProgramsBytes) {
  const std::string out = run_generator("generate_textures");
  const std::string committed = read_file(kCommitted);
  EXPECT_EQ(read_file(out + "/edition8.bmp"), committed) << "differs from the generator's output";

  const auto embedded = editions::edition8().texture;
  EXPECT_EQ(std::string(embedded.begin(), embedded.end()), committed);
}

TEST(Edition8Texture, HeadersDescribeA32By32TrueColourBitmap) {
  const std::string b = read_file(kCommitted);
  ASSERT_EQ(b.size(), 3126u);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  struct Field {
    const char* name;
    std::size_t at;
    int size;
    std::uint32_t expected;
  };
  const Field fields[] = {
      {"file size", 2, 4, 3126},   {"reserved", 6, 4, 0},      {"pixel offset", 10, 4, 54},
      {"header size", 14, 4, 40},  {"width", 18, 4, 32},      {"height", 22, 4, 32},
      {"planes", 26, 2, 1},        {"bits", 28, 2, 24},       {"compression", 30, 4, 0},
      {"image size", 34, 4, 3072}, {"x density", 38, 4, 2835}, {"y density", 42, 4, 2835},
      {"colours used", 46, 4, 0},  {"important", 50, 4, 0},
  };
  for (const Field& f : fields) EXPECT_EQ(field(b, f.at, f.size), f.expected) << f.name;
}

TEST(Edition8Texture, IsDarkGreyAndShowsWhichWayItIsDrawn) {
  const gdi::Bitmap image = gdi::read_bmp(editions::edition8().texture);
  ASSERT_EQ(image.width, 32);
  ASSERT_EQ(image.height, 32);
  std::vector<gdi::COLORREF> left_right(1024), up_down(1024), transposed(1024);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const gdi::COLORREF c = image.pixels[static_cast<std::size_t>(y * 32 + x)];
      EXPECT_NE(c, gdi::RGB(0, 0, 255)) << x << ", " << y;
      EXPECT_LT(gdi::GetRValue(c), 200u) << x << ", " << y;
      EXPECT_LT(gdi::GetGValue(c), 200u) << x << ", " << y;
      EXPECT_LT(gdi::GetBValue(c), 200u) << x << ", " << y;
      left_right[static_cast<std::size_t>(y * 32 + 31 - x)] = c;
      up_down[static_cast<std::size_t>((31 - y) * 32 + x)] = c;
      transposed[static_cast<std::size_t>(x * 32 + y)] = c;
    }
  }
  EXPECT_NE(image.pixels, left_right);
  EXPECT_NE(image.pixels, up_down);
  EXPECT_NE(image.pixels, transposed);
}
