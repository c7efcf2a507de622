#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime/text_input.h"

namespace {

std::vector<std::string> lines_of(const std::string& bytes) {
  const std::string path = testing::TempDir() + "text_input.txt";
  std::ofstream(path, std::ios::binary) << bytes;
  runtime::TextInput input(path);
  std::vector<std::string> lines;
  std::string line;
  while (!input.eof()) {
    input.read_line(line);
    lines.push_back(line);
  }
  return lines;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(TextInput, LinesEndAtCarriageReturnWithOrWithoutLineFeed) {
  EXPECT_EQ(lines_of("1\r\n2\r\n"), (Lines{"1", "2"}));
  EXPECT_EQ(lines_of("1\r2\r"), (Lines{"1", "2"}));
  EXPECT_EQ(lines_of("1\r\n2"), (Lines{"1", "2"}));
  // A line feed alone does not end a line.
  EXPECT_EQ(lines_of("1\n2\n"), (Lines{"1\n2\n"}));
  // Two terminators in a row make an empty line.
  EXPECT_EQ(lines_of("1\r\n\r\n"), (Lines{"1", ""}));
  EXPECT_EQ(lines_of(""), Lines{});
  EXPECT_EQ(lines_of(std::string("a\0b\r\n", 5)), (Lines{std::string("a\0b", 3)}));
}

TEST(TextInput, SaysWhyAFileCannotBeOpened) {
  try {
    runtime::TextInput input("/nonexistent/model.atl");
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("/nonexistent/model.atl"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("No such file"), std::string::npos);
  }
  EXPECT_THROW(runtime::TextInput{testing::TempDir()}, std::runtime_error);  // a folder
}

// Lines longer than the input's buffer, and terminators split across two
// reads of it, against the file split by hand.
TEST(TextInput, LongLinesComeInPiecesThatMakeUpTheLine) {
  std::mt19937 random(11);
  std::string bytes;
  Lines expected;
  // The first line's CR ends the first buffer of 64 KB, its LF begins the next.
  for (const std::size_t length : {65535, 0, 65536, 1, 200000, 3, 65534, 131072, 7}) {
    std::string line(length, 'x');
    for (char& c : line) c = "0123456789\n "[random() % 12];
    expected.push_back(line);
    bytes += line + (bytes.empty() || random() % 2 ? "\r\n" : "\r");
  }
  const std::string path = testing::TempDir() + "text_input_long.txt";
  std::ofstream(path, std::ios::binary) << bytes;
  runtime::TextInput input(path);
  Lines lines;
  while (!input.eof()) {
    std::string line;
    input.read_line([&](std::string_view piece) {
      EXPECT_FALSE(piece.empty());
      line.append(piece);
    });
    lines.push_back(line);
  }
  EXPECT_EQ(lines, expected);
}
