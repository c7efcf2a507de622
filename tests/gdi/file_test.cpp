#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "platform/gdi/bmp.h"
#include "platform/gdi/png_writer.h"
#include "tests/png_picture.h"

namespace gdi {
namespace {

void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A 24-bit bitmap whose pixel (x, y), top row first, is RGB(x, y, 7x + y),
// stored bottom-up unless the height is negative.
std::vector<std::uint8_t> make_bmp(int w, int h) {
  const int rows = std::abs(h), stride = (w * 3 + 3) / 4 * 4;
  std::vector<std::uint8_t> b = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40};
  b.resize(54 + stride * rows);
  put32(b, 18, w);
  put32(b, 22, static_cast<std::uint32_t>(h));
  b[26] = 1;  // planes
  b[28] = 24;
  for (int y = 0; y < rows; ++y) {
    std::uint8_t* row = &b[54 + stride * (h < 0 ? y : rows - 1 - y)];
    for (int x = 0; x < w; ++x) {
      row[3 * x] = static_cast<std::uint8_t>(7 * x + y);  // blue, green, red
      row[3 * x + 1] = static_cast<std::uint8_t>(y);
      row[3 * x + 2] = static_cast<std::uint8_t>(x);
    }
  }
  return b;
}

void expect_pattern(const std::vector<std::uint8_t>& file, int w, int h) {
  const Bitmap bm = read_bmp(file);
  ASSERT_TRUE(bm.width == w && bm.height == h && bm.pixels.size() == std::size_t(w * h));
  for (int i = 0; i < w * h; ++i) {
    const int x = i % w, y = i / w;
    ASSERT_EQ(bm.pixels[i], RGB(x, y, 7 * x + y)) << x << "," << y;
  }
}

TEST(Bmp, ReadsPaddedBottomUpAndTopDownRows) {
  ASSERT_EQ(make_bmp(2, 2).size(), 54u + 2 * 8);  // 6 bytes of pixels padded to 8
  expect_pattern(make_bmp(2, 2), 2, 2);
  expect_pattern(make_bmp(2, -2), 2, 2);
  ASSERT_EQ(make_bmp(32, 32).size(), 3126u);
  expect_pattern(make_bmp(32, 32), 32, 32);
}

TEST(Bmp, RejectsBadFilesWithReason) {
  const std::vector<std::uint8_t> good = make_bmp(3, 3);
  const auto error = [](const std::vector<std::uint8_t>& b) -> std::string {
    try {
      read_bmp(b);
    } catch (const std::runtime_error& e) {
      return e.what();
    }
    return "accepted";
  };
  const struct {
    std::size_t at;
    std::uint32_t value;
    const char* reason;
  } bad[] = {{0, 0x4C43, "BM"},          {28, 32, "32 bits"},       {30, 1, "compressed"},
             {14, 108, "header"},        {26, 2, "planes"},         {18, 0x7FFFFFFF, "absurd"},
             {22, 0x80000000, "absurd"}, {22, 0, "absurd"},         {10, 20, "offset"},
             {10, 0xFFFFFFF0, "truncated"}};
  for (const auto& b : bad) {
    std::vector<std::uint8_t> file = good;
    put32(file, b.at, b.value);
    EXPECT_NE(error(file).find(b.reason), std::string::npos) << error(file);
  }
  // Cut anywhere before the last row's 3 padding bytes, the data is refused
  // (and, under the address sanitizer, never read past its end).
  for (std::size_t n = 0; n < good.size() - 3; ++n) {
    const std::string e = error({good.begin(), good.begin() + n});
    EXPECT_NE(e.find(n < 54 ? "too short" : "truncated"), std::string::npos) << n << ": " << e;
  }
}

TEST(Png, WritesRgbThatReadsBack) {
  Surface s(5, 3, 0);
  for (int i = 0; i < 15; ++i) s.set_pixel(i % 5, i / 5, RGB(50 * i, 17 * i, 255 - 9 * i));
  const std::string path = (std::filesystem::temp_directory_path() / "gdi_png_test.png").string();
  write_png(path, s);

  const Picture picture = read_png(path);
  std::filesystem::remove(path);
  EXPECT_EQ(picture.channels_in_file, 3);  // 8-bit RGB in the file itself
  ASSERT_TRUE(picture.width == 5 && picture.height == 3);
  for (int i = 0; i < 15; ++i) EXPECT_EQ(picture.at(i % 5, i / 5), s.pixels()[i]);

  try {
    write_png("/nonexistent-dir/x.png", s);
    ADD_FAILURE() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("/nonexistent-dir/x.png"), std::string::npos);
  }
  EXPECT_THROW(write_png(path, Surface()), std::runtime_error);
}

}  // namespace
}  // namespace gdi
