// The textures of Picture5: each committed bitmap is what the generator
// writes, the programs carry exactly those bytes, and each picture is one the
// renderer can be checked against: never the transparent blue, and different
// from each of its mirror images, so a flipped or turned drawing shows.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "editions/textures.h"
#include "platform/gdi/bmp.h"
#include "tests/test_files.h"

namespace {

struct Texture {
  const char* name;
  int width, height;
  std::uint32_t file_size;
  std::span<const std::uint8_t> (*bytes)();
};

// Names the case in test listings instead of a dump of the struct's bytes.
void PrintTo(const Texture& t, std::ostream* os) { *os << t.name; }

const Texture kTextures[] = {
    {"edition5", 32, 32, 3126, editions::edition5_texture},
    {"edition6", 32, 32, 3126, editions::edition6_texture},
    {"edition9", 16, 16, 822, editions::edition9_texture},
    {"edition10", 64, 64, 12342, editions::edition10_texture},
};

const std::string kFolder = std::string(KELVO_SOURCE_DIR) + "/editions/textures";

std::uint32_t field(const std::string& b, std::size_t at, int size) {
  std::uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i) {
    v = v << 8 | static_cast<std::uint8_t>(b.at(at + static_cast<std::size_t>(i)));
  }
  return v;
}

std::set<std::string> bitmaps_in(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".bmp") names.insert(entry.path().filename().string());
  }
  return names;
}

class TextureTest : public testing::TestWithParam<Texture> {
 protected:
  std::string committed() const { return read_file(kFolder + "/" + GetParam().name + ".bmp"); }
};

TEST_P(TextureTest, ProgramsCarryTheCommittedFile) {
  const std::string committed = this->committed();
  ASSERT_FALSE(committed.empty()) << GetParam().name << ".bmp is missing";
  const auto embedded = GetParam().bytes();
  EXPECT_EQ(std::string(embedded.begin(), embedded.end()), committed);
}

TEST_P(TextureTest, HeadersDescribeATrueColourBitmapOfItsSize) {
  const Texture& t = GetParam();
  const std::string b = committed();
  ASSERT_EQ(b.size(), t.file_size);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  const auto width = static_cast<std::uint32_t>(t.width);
  const auto height = static_cast<std::uint32_t>(t.height);
  struct Field {
    const char* name;
    std::size_t at;
    int size;
    std::uint32_t expected;
  };
  const Field fields[] = {
      {"file size", 2, 4, t.file_size},
      {"reserved", 6, 4, 0},
      {"pixel offset", 10, 4, 54},
      {"header size", 14, 4, 40},
      {"width", 18, 4, width},
      {"height", 22, 4, height},
      {"planes", 26, 2, 1},
      {"bits", 28, 2, 24},
      {"compression", 30, 4, 0},
      // Rows of 16, 32 and 64 pixels are whole multiples of 4 bytes: no padding.
      {"image size", 34, 4, width * height * 3},
      {"x density", 38, 4, 2835},
      {"y density", 42, 4, 2835},
      {"colours used", 46, 4, 0},
      {"important", 50, 4, 0},
  };
  for (const Field& f : fields) EXPECT_EQ(field(b, f.at, f.size), f.expected) << f.name;
}

TEST_P(TextureTest, IsNeverTransparentAndShowsWhichWayItIsDrawn) {
  const Texture& t = GetParam();
  const gdi::Bitmap image = gdi::read_bmp(t.bytes());
  ASSERT_EQ(image.width, t.width);
  ASSERT_EQ(image.height, t.height);
  ASSERT_EQ(t.width, t.height) << "the transposed image below needs a square";
  const int n = t.width;
  const auto at = [n](int x, int y) { return static_cast<std::size_t>(y * n + x); };
  std::vector<gdi::COLORREF> left_right(image.pixels.size()), up_down(image.pixels.size()),
      transposed(image.pixels.size());
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      const gdi::COLORREF c = image.pixels[at(x, y)];
      EXPECT_NE(c, gdi::RGB(0, 0, 255)) << x << ", " << y;
      left_right[at(n - 1 - x, y)] = c;
      up_down[at(x, n - 1 - y)] = c;
      transposed[at(y, x)] = c;
    }
  }
  EXPECT_NE(image.pixels, left_right);
  EXPECT_NE(image.pixels, up_down);
  EXPECT_NE(image.pixels, transposed);
}

INSTANTIATE_TEST_SUITE_P(Editions, TextureTest, testing::ValuesIn(kTextures),
                         [](const testing::TestParamInfo<Texture>& param) {
                           return std::string(param.param.name);
                         });

// One test runs the generator, since ctest runs tests side by side and each
// run empties the same scratch folder. A bitmap left in the folder that the
// generator no longer writes would still be compiled into the programs.
TEST(Textures, CommittedFilesAreExactlyTheGeneratorsOutput) {
  const std::string out = run_generator("generate_textures");
  EXPECT_EQ(bitmaps_in(out), bitmaps_in(kFolder));
  for (const Texture& t : kTextures) {
    const std::string file = t.name + std::string(".bmp");
    EXPECT_EQ(read_file(out + "/" + file), read_file(kFolder + "/" + file))
        << file << " differs from the generator's output";
  }
}

// The stone of editions 6 to 8 is dark grey throughout.
TEST(Textures, Edition6IsDark) {
  const gdi::Bitmap image = gdi::read_bmp(editions::edition6_texture());
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    const gdi::COLORREF c = image.pixels[i];
    EXPECT_LT(gdi::GetRValue(c), 200u) << i;
    EXPECT_LT(gdi::GetGValue(c), 200u) << i;
    EXPECT_LT(gdi::GetBValue(c), 200u) << i;
  }
}

}  // namespace
