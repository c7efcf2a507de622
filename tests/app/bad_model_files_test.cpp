// Model files a user may have in the folder that the format never meant:
// NUL bytes, megabytes without a line end, a folder or a fifo with a model's
// name, a file gone or turned into a fifo after the list was filled, a file
// that cannot be read, corners at 1E38. Each loads as the reading rule says
// or gives a message naming the file; nothing crashes, nothing waits.

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

}  // namespace
