// Model files a user may have in the folder that the format never meant:
// NUL bytes, megabytes without a line end, a folder or a fifo with a model's
// name, a file gone or turned into a fifo after the list was filled, a file
// that cannot be read, corners at 1E38, a line of 200 MB, no memory left.
// Each loads as the reading rule says or gives a message naming the file;
// nothing crashes, nothing waits.

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/app/form1_fixture.h"
#include "tests/platform_support.h"

namespace {

class BadModelFilesTest : public Form1Test {
 protected:
  void write_bytes(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ + "/" + name, std::ios::binary) << bytes;
  }
  // Clicks the name in the freshly read list, as a user does; the loop runs
  // two frames on whatever then is loaded.
  void click(const std::string& name) {
    form_->File1.Refresh();
    ASSERT_LT(index_of(name), static_cast<int>(form_->File1.items().size())) << name;
    end_after(2);
    form_->File1.user_click(index_of(name));
  }
  bool listed(const std::string& name) {
    form_->File1.Refresh();
    return index_of(name) < static_cast<int>(form_->File1.items().size());
  }
  std::string last_message() const {
    return toolkit_.messages().empty() ? "" : toolkit_.messages().back();
  }
};

// Address space limits and the sanitizers' shadow memory do not mix.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

std::string value_lines(int count, const std::string& value) {
  std::string text;
  for (int i = 0; i < count; ++i) text += value + "\r\n";
  return text;
}

TEST_F(BadModelFilesTest, OddBytesLoadAsTheReadingRuleSays) {
  // A NUL ends the number where it stands, like any other stray character.
  // (Not in "nul.atl": on Windows that name is the null device.)
  write_bytes("nul-byte.atl", std::string("3\0" "9\r\n", 5) + value_lines(8, "6"));
  click("nul-byte.atl");
  EXPECT_EQ(form_->form.Caption(), "1");
  EXPECT_EQ(form_->B3D.TriangleTable->upper_row(), 1);
  EXPECT_TRUE(toolkit_.messages().empty());

  // Two megabytes of digits without a line end: one value, beyond the double
  // range, so an infinity; the triangle is drawn around it or left out.
  write_bytes("long.atl", std::string(2'000'000, '7') + "\r\n" + value_lines(17, "1"));
  click("long.atl");
  EXPECT_EQ(form_->form.Caption(), "2");
  EXPECT_TRUE(toolkit_.messages().empty());

  // Every corner at 1E38: finite in single precision, infinite once turned;
  // every renderer skips what does not fit.
  write_bytes("far.atl", value_lines(90, "1E38"));
  for (toolkit::CheckBox* box : {&form_->Check3, &form_->Check4, &form_->Check15}) {
    box->set_Value(1);
  }
  click("far.atl");
  EXPECT_EQ(form_->form.Caption(), "10");
  EXPECT_TRUE(toolkit_.messages().empty());
}

TEST_F(BadModelFilesTest, WhatIsNoFileIsNotListedAndNeverWaitedOn) {
  std::filesystem::create_directories(dir_ + "/folder.atl");
  if (!test_support::make_fifo(dir_ + "/fifo.atl")) GTEST_SKIP() << "no fifos in folders here";
  EXPECT_FALSE(listed("folder.atl"));
  EXPECT_FALSE(listed("fifo.atl"));

  // A listed file that has become a fifo since: opening it for reading would
  // wait for a writer for ever.
  click("a.atl");
  ASSERT_EQ(form_->form.Caption(), "2");
  form_->File1.Refresh();
  const int index = index_of("b.atl");
  std::filesystem::remove(dir_ + "/b.atl");
  ASSERT_TRUE(test_support::make_fifo(dir_ + "/b.atl"));
  end_after(1);
  form_->File1.user_click(index);
  EXPECT_NE(last_message().find("b.atl"), std::string::npos) << last_message();
  EXPECT_EQ(form_->form.Caption(), "2");  // the model before stays
}

TEST_F(BadModelFilesTest, AFileGoneSinceTheListWasFilledGivesAMessage) {
  form_->File1.Refresh();
  const int index = index_of("b.atl");
  std::filesystem::remove(dir_ + "/b.atl");
  form_->File1.user_click(index);
  EXPECT_NE(last_message().find("b.atl"), std::string::npos) << last_message();
  EXPECT_NE(last_message().find("No such file"), std::string::npos) << last_message();
}

TEST_F(BadModelFilesTest, AnUnreadableFileGivesAMessage) {
  // Whoever runs as root reads every file; for anyone else a file without
  // read permission cannot be opened.
  const std::string why_readable = test_support::forbid_reading(dir_ + "/a.atl");
  if (!why_readable.empty()) GTEST_SKIP() << why_readable;
  form_->File1.Refresh();
  form_->File1.user_click(index_of("a.atl"));
  EXPECT_NE(last_message().find("Permission denied"), std::string::npos) << last_message();
}

// Before, the loader held a whole line: 200 MB of one line needed some
// 450 MB, and where that could not be had the program ended on the spot.
TEST_F(BadModelFilesTest, ALineOf200MegabytesLoadsInAFewMegabytes) {
  if (kSanitized) GTEST_SKIP() << "the sanitizers need more address space than the limit leaves";
  const std::string path = dir_ + "/sparse.atl";
  { std::ofstream(path, std::ios::binary) << "5"; }
  std::filesystem::resize_file(path, 200'000'000);  // a hole: 200 MB of NUL bytes
  form_->File1.Refresh();
  const int index = index_of("sparse.atl");
  const auto loaded = test_support::within_memory(32 << 20, false, [&] {
    end_after(1);
    form_->File1.user_click(index);
    return toolkit_.messages().empty() && form_->form.Caption() == "0" &&
           form_->B3D.TriangleTable->upper_row() == 0;
  });
  if (!loaded) GTEST_SKIP() << "no child process under a memory limit here";
  EXPECT_TRUE(*loaded);
}

TEST_F(BadModelFilesTest, NoMemoryForTheTableGivesAMessageAndKeepsTheModel) {
  if (kSanitized) GTEST_SKIP() << "the sanitizers need more address space than the limit leaves";
  // A model of the program's own (the random one), and no staging area yet:
  // the first load must find 2.8 MB for it.
  form_->B3D.TriangleTable = b3d::Table(5);
  (*form_->B3D.TriangleTable)(3, 4) = 7;
  const b3d::Table before = *form_->B3D.TriangleTable;
  form_->File1.Refresh();
  const int index = index_of("b.atl");
  const auto kept = test_support::within_memory(1 << 20, true, [&] {
    form_->File1.user_click(index);
    return last_message() == "Not enough memory to load \"b.atl\"" &&
           form_->form.Caption() == "Form1" && *form_->B3D.TriangleTable == before;
  });
  if (!kept) GTEST_SKIP() << "no child process under a memory limit here";
  EXPECT_TRUE(*kept);
}

}  // namespace
