#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/toolkit/controls.h"
#include "platform/toolkit/file_list_box.h"
#include "platform/toolkit/headless_toolkit.h"
#include "platform/toolkit/message_text.h"
#include "platform/toolkit/picture_box.h"

TEST(FileListBox, ListsMatchingRegularFilesInCaseInsensitiveOrder) {
  const std::string dir = testing::TempDir() + "file_list_box_test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir + "/folder.atl");  // a folder is never listed
  for (const char* name : {"b.atl", "A.ATL", "c.atl.txt", "x.txt", "torus.Atl"}) {
    std::ofstream(dir + "/" + name) << "1";
  }
  toolkit::FileListBox list("File1");
  list.Pattern = "*.atl";
  list.Path = dir;
  list.Refresh();
  EXPECT_EQ(list.items(), (std::vector<std::string>{"A.ATL", "b.atl", "torus.Atl"}));
  EXPECT_EQ(list.FileName(), "");

  int clicks = 0;
  list.on_click = [&] { ++clicks; };
  list.user_click(1);
  list.user_click(7);  // no such line: nothing happens
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(list.FileName(), "b.atl");

  list.Path = dir + "/missing";
  list.Refresh();
  EXPECT_TRUE(list.items().empty());
}

TEST(FileListBox, PatternsMatchIgnoringCase) {
  EXPECT_TRUE(toolkit::matches_pattern("model.ATL", "*.atl"));
  EXPECT_TRUE(toolkit::matches_pattern(".atl", "*.atl"));
  EXPECT_FALSE(toolkit::matches_pattern("model.atlx", "*.atl"));
  EXPECT_TRUE(toolkit::matches_pattern("a1.b", "a?.*"));
  EXPECT_FALSE(toolkit::matches_pattern("a.b", "a?.*"));
}

TEST(Controls, ValuesStayInTheirRanges) {
  toolkit::HScrollBar bar("HScroll5");
  bar.Min = 50;
  bar.Max = 500;
  bar.set_Value(10);
  EXPECT_EQ(bar.Value(), 50);
  bar.user_change(9999);
  EXPECT_EQ(bar.Value(), 500);

  toolkit::CheckBox box("Check19");
  box.set_Value(2);
  box.user_click();  // a greyed box becomes checked
  EXPECT_EQ(box.Value(), 1);
  box.user_click();
  EXPECT_EQ(box.Value(), 0);

  toolkit::OptionButton one("Option1"), two("Option2");
  one.group = two.group = {&one, &two};
  one.set_Value(true);
  two.user_click();
  EXPECT_FALSE(one.Value());
  EXPECT_TRUE(two.Value());
}

TEST(PictureBox, DrawingAreaAndScaleFollowTheBorderAndScaleMode) {
  toolkit::PictureBox box("Picture1");
  box.rect = {120, 240, 4815, 3495};
  box.border = true;
  box.layout();
  EXPECT_EQ(box.ScaleWidth(), 317 * 15);
  box.ScaleMode = toolkit::kScalePixels;
  EXPECT_EQ(box.ScaleWidth(), 317);
  EXPECT_EQ(box.ScaleHeight(), 229);

  // The background picture survives Cls.
  gdi::Bitmap picture{2, 1, {gdi::RGB(1, 2, 3), gdi::RGB(4, 5, 6)}};
  box.set_BackColor(gdi::RGB(9, 9, 9));
  box.set_Picture(picture);
  box.Cls();
  EXPECT_EQ(box.image().pixel(1, 0), gdi::RGB(4, 5, 6));
  EXPECT_EQ(box.image().pixel(2, 0), gdi::RGB(9, 9, 9));
}

TEST(HeadlessToolkit, RunsPostedEventsInTheNextYieldAndCountsFrames) {
  toolkit::HeadlessToolkit kit;
  std::vector<int> order;
  long frames_seen = 0;
  kit.at_frame_end = [&](long frame) { frames_seen = frame; };
  kit.post([&] {
    order.push_back(1);
    kit.post([&] { order.push_back(2); });  // posted by an event: same yield
  });
  kit.yield(toolkit::YieldPoint::Other);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_EQ(kit.frames_ended(), 0);
  kit.yield(toolkit::YieldPoint::EndOfFrame);
  kit.yield(toolkit::YieldPoint::EndOfFrame);
  EXPECT_EQ(frames_seen, 2);
  kit.sleep_ms(5);
  EXPECT_EQ(kit.slept_ms(), 5);
}

TEST(MessageText, LongQuotesAreShortenedAroundAnEllipsisAndTheRestKept) {
  const std::string digits(400, '7');
  const std::string shown =
      toolkit::shorten_quotes("Type mismatch: \"" + digits + "\" is not a number", 10);
  EXPECT_EQ(shown, "Type mismatch: \"7777\u202677777\" is not a number");
  // Short quotes, text without quotes and an unclosed quote stay as they are.
  EXPECT_EQ(toolkit::shorten_quotes("\"abc\" and \"de", 10), "\"abc\" and \"de");
  // Characters of several bytes are never cut apart.
  std::string wide;
  for (int i = 0; i < 20; ++i) wide += "\u00e9";
  EXPECT_EQ(toolkit::shorten_quotes("\"" + wide + "\"", 5),
            "\"\u00e9\u00e9\u2026\u00e9\u00e9\"");
}

TEST(MessageText, ControlCharactersInNamesShowAsQuestionMarks) {
  EXPECT_EQ(toolkit::printable_name("two\nlines\t.atl"), "two?lines?.atl");
  EXPECT_EQ(toolkit::printable_name("caf\u00e9.atl"), "caf\u00e9.atl");
}
