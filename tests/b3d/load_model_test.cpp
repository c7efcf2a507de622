#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "b3d/b3d.h"
#include "b3d_fixture.h"

namespace {

// The loader reading files of a folder of its own.
class LoadModelTest : public B3DTest {
 protected:
  LoadModelTest() {
    dir_ = testing::TempDir() + "load_model_test_" +
           testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    File1.Path = dir_;
    File1.Pattern = "*.atl";
  }

  // Writes the file, lists the folder, clicks the file's name, loads.
  void load(const std::string& bytes, const std::string& name = "model.atl") {
    std::ofstream(dir_ + "/" + name, std::ios::binary) << bytes;
    click(name);
    b3d.LoadModel();
  }
  void click(const std::string& name) {
    File1.Refresh();
    for (std::size_t i = 0; i < File1.items().size(); ++i) {
      if (File1.items()[i] == name) File1.user_click(static_cast<int>(i));
    }
  }

  std::string dir_;
};

std::string lines(int count, const std::string& value, const std::string& end = "\r\n") {
  std::string text;
  for (int i = 0; i < count; ++i) text += value + end;
  return text;
}

}  // namespace

TEST_F(LoadModelTest, NineValueLinesMakeOneTriangleInRowOne) {
  load("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n");
  ASSERT_EQ(table().upper_row(), 1);
  EXPECT_EQ(Form1.Caption(), "1");
  for (int c = 0; c < b3d::kColumns; ++c) EXPECT_EQ(table()(0, c), 0) << c;
  for (int c = 1; c <= 9; ++c) EXPECT_EQ(table()(1, c), static_cast<float>(c / 3.0)) << c;
  EXPECT_EQ(table()(1, b3d::kKey), 0);
  for (int c = b3d::kColour; c <= b3d::kLastColumn; ++c) EXPECT_EQ(table()(1, c), 0) << c;
}

TEST_F(LoadModelTest, CommentsAndBlankLinesFollowTheFormat) {
  // Comments may stand inside a group; a blank line is a coordinate 0; a
  // blank before "#" makes a value line.
  load("# head\r\n1\r\n*star\r\n\r\n #x\r\n4\r\n5\r\n# mid\r\n6\r\n7\r\n8\r\n9\r\n");
  ASSERT_EQ(table().upper_row(), 1);
  const float expected[] = {1, 0, 0, 4, 5, 6, 7, 8, 9};
  for (int c = 1; c <= 9; ++c) EXPECT_EQ(table()(1, c), static_cast<float>(expected[c - 1] / 3.0));
}

TEST_F(LoadModelTest, LineEndsCrCrlfAndLineFeedOnly) {
  load(lines(9, "3", "\r"));
  EXPECT_EQ(table().upper_row(), 1);
  // Two terminators at the end add one value 0: 18 values, two triangles.
  load(lines(17, "3") + "\r\n");
  EXPECT_EQ(table().upper_row(), 2);
  EXPECT_EQ(table()(2, 9), 0);
  // Line feeds alone make one line whose digits run together.
  load(lines(9, "1", "\n") + "\r\n" + lines(8, "0"));
  ASSERT_EQ(table().upper_row(), 1);
  EXPECT_EQ(table()(1, 1), static_cast<float>(111111111 / 3.0));
}

TEST_F(LoadModelTest, IncompleteGroupsAndEmptyFilesGiveTheZeroRowOnly) {
  load(lines(8, "5"));
  EXPECT_EQ(table().upper_row(), 0);
  EXPECT_EQ(Form1.Caption(), "0");
  load("");
  EXPECT_EQ(table().upper_row(), 0);
  load("# only a comment\r\n");
  EXPECT_EQ(table().upper_row(), 0);
  for (int c = 0; c < b3d::kColumns; ++c) EXPECT_EQ(table()(0, c), 0);
  // Values of an incomplete last group are not copied.
  load(lines(9, "3") + lines(4, "6"));
  EXPECT_EQ(table().upper_row(), 1);
}

TEST_F(LoadModelTest, NumbersAreDividedByThreeThenScaledByTheZoom) {
  HScroll4.set_Value(7);
  load("1.5E1\r\n&H10\r\n-3\r\n0.1\r\n1e400\r\n-1e400\r\n1\r\n2\r\n3\r\n");
  EXPECT_EQ(table()(1, 1), 5.0f * 7);
  EXPECT_EQ(table()(1, 2), static_cast<float>(16 / 3.0) * 7.0f);
  EXPECT_EQ(table()(1, 3), -7.0f);
  EXPECT_EQ(table()(1, 4), static_cast<float>(0.1 / 3) * 7.0f);
  EXPECT_EQ(table()(1, 5), INFINITY);
  EXPECT_EQ(table()(1, 6), -INFINITY);
  // Zoom is taken at load time only.
  HScroll4.set_Value(1);
  EXPECT_EQ(table()(1, 1), 35.0f);
}

TEST_F(LoadModelTest, AtMost19000TrianglesLoad) {
  load(lines(19000 * 9, "1"));
  EXPECT_EQ(table().upper_row(), 19000);
  EXPECT_EQ(Form1.Caption(), "19000");
  load(lines(19001 * 9 + 5, "2"));
  EXPECT_EQ(table().upper_row(), 19000);
  EXPECT_EQ(Form1.Caption(), "19000");
  EXPECT_EQ(table()(19000, 9), static_cast<float>(2 / 3.0));
}

TEST_F(LoadModelTest, AFileThatCannotBeOpenedChangesNothing) {
  load(lines(9, "3"));
  std::filesystem::remove(dir_ + "/model.atl");  // removed after the list was filled
  try {
    b3d.LoadModel();
    FAIL() << "no error for a missing file";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("model.atl"), std::string::npos);
  }
  EXPECT_EQ(table().upper_row(), 1);
  EXPECT_EQ(table()(1, 1), 1);
  EXPECT_EQ(Form1.Caption(), "1");
}

TEST_F(LoadModelTest, OpensTheNameInTheFolderTheListShows) {
  const std::string other = dir_ + "/other";
  std::filesystem::create_directories(other);
  std::ofstream(other + "/elsewhere.atl", std::ios::binary) << lines(18, "6");
  File1.Path = other;
  click("elsewhere.atl");
  b3d.LoadModel();
  EXPECT_EQ(table().upper_row(), 2);
}
