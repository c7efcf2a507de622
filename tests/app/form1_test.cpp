// Form1 driven through the headless toolkit: the window's state at start, the
// loop's restarts and end, and the errors the user is told about.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>

#include "form1_fixture.h"

TEST_F(Form1Test, OpensWithTheDesignTimeStateAndNoModel) {
  app::Form1& f = *form_;
  EXPECT_EQ(f.form.Caption(), "Form1");
  EXPECT_FALSE(f.B3D.TriangleTable.has_value());
  EXPECT_FALSE(f.loop_running());
  for (auto* clear : {&f.Check3, &f.Check13, &f.Check14, &f.Check15, &f.Check16, &f.Check20}) {
    EXPECT_EQ(clear->Value(), 0) << clear->name();
  }
  EXPECT_TRUE(f.Option1.Value());
  EXPECT_FALSE(f.Option2.Value());
  EXPECT_EQ(f.controls().size(), 49u);
  // The drawing areas in pixels: the main view inside its border, the work
  // surface covering it in the same coordinates.
  EXPECT_EQ(f.Picture1.image().width(), 317);
  EXPECT_EQ(f.Picture1.image().height(), 229);
  EXPECT_EQ(f.Picture3.image().width(), 321);
  EXPECT_EQ(f.Picture3.image().height(), 230);
  EXPECT_EQ(f.Picture5.ScaleWidth(), 32);
  EXPECT_EQ(f.Picture1.image().pixel(0, 0), gdi::RGB(192, 192, 255));
  EXPECT_EQ(f.File1.items(), (std::vector<std::string>{"a.atl", "b.atl"}));
}

TEST_F(Form1Test, EveryControlButTheWorkSurfaceLiesInsideTheClientArea) {
  const app::Form1& f = *form_;
  for (const toolkit::Control* c : f.controls()) {
    if (c->name() == "Picture3" || c->name() == "Timer1") continue;
    EXPECT_LE(c->rect.left + c->rect.width, f.form.client_width) << c->name();
    EXPECT_LE(c->rect.top + c->rect.height, f.form.client_height) << c->name();
  }
}

TEST_F(Form1Test, AModelClickLoadsItAndStartsTheLoopUntilTheWindowCloses) {
  end_after(5);
  form_->File1.user_click(index_of("b.atl"));
  EXPECT_EQ(form_->form.Caption(), "3");
  EXPECT_EQ(form_->B3D.TriangleTable->upper_row(), 3);
  EXPECT_EQ(toolkit_.frames_ended(), 5);
  EXPECT_EQ(form_->Text1.Text(), "5");
  EXPECT_FALSE(form_->loop_running());
  EXPECT_TRUE(toolkit_.messages().empty());
}

TEST_F(Form1Test, ThousandsOfRestartsRunInBoundedStack) {
  constexpr long kRestarts = 5000;
  std::uintptr_t lowest = UINTPTR_MAX, highest = 0;
  toolkit_.at_frame_end = [&](long frame) {
    const int marker = 0;
    const auto here = reinterpret_cast<std::uintptr_t>(&marker);
    lowest = std::min(lowest, here);
    highest = std::max(highest, here);
    if (frame > kRestarts) {
      form_->form.user_close();
    } else if (frame % 2 == 0) {
      toolkit_.post([this] { form_->Command1.user_click(); });
    } else {
      toolkit_.post([this] { form_->File1.user_click(index_of("a.atl")); });
    }
  };
  form_->Command1.user_click();
  EXPECT_EQ(form_->restarts(), kRestarts);
  EXPECT_EQ(highest - lowest, 0u) << "the stack grew with the restarts";
  // Counters carry over a restart.
  EXPECT_EQ(form_->Text1.Text(), std::to_string(kRestarts + 1));
  EXPECT_EQ(form_->form.Caption(), "2");
}

TEST_F(Form1Test, ClosingBeforeTheFirstFrameEndsAfterTheSetUp) {
  form_->form.user_close();
  form_->Command1.user_click();
  EXPECT_EQ(toolkit_.frames_ended(), 0);
  EXPECT_EQ(form_->Text1.Text(), "0");
}

TEST_F(Form1Test, AModelThatCannotBeOpenedLeavesTheRunningLoopAndTableAlone) {
  toolkit_.at_frame_end = [this](long frame) {
    if (frame == 2) {
      std::filesystem::remove(dir_ + "/b.atl");
      form_->File1.user_click(index_of("b.atl"));
    }
    if (frame == 4) form_->form.user_close();
  };
  form_->File1.user_click(index_of("a.atl"));
  EXPECT_EQ(toolkit_.frames_ended(), 4);
  EXPECT_EQ(form_->restarts(), 0);
  EXPECT_EQ(form_->B3D.TriangleTable->upper_row(), 2);
  ASSERT_EQ(toolkit_.messages().size(), 1u);
  EXPECT_NE(toolkit_.messages()[0].find("b.atl"), std::string::npos);
}

TEST_F(Form1Test, TextThatIsNotANumberStopsTheLoopAndSaysWhere) {
  toolkit_.at_frame_end = [this](long frame) {
    if (frame == 3) form_->Text1.user_edit("abc");
  };
  form_->Command1.user_click();
  EXPECT_FALSE(form_->loop_running());
  EXPECT_EQ(toolkit_.frames_ended(), 3);
  ASSERT_EQ(toolkit_.messages().size(), 1u);
  EXPECT_NE(toolkit_.messages()[0].find("Text1"), std::string::npos);
  EXPECT_NE(toolkit_.messages()[0].find("abc"), std::string::npos);

  // Mended, "Start" runs again.
  form_->Text1.user_edit("10");
  end_after(5);
  form_->Command1.user_click();
  EXPECT_EQ(form_->Text1.Text(), "12");
}

TEST_F(Form1Test, TheMeterTurnsFrameCountsIntoFramesPerSecondAndThroughput) {
  app::Form1& f = *form_;
  f.Text1.set_Text("7");
  f.Timer1.fire();
  EXPECT_EQ(f.Text2.Text(), "7");
  EXPECT_EQ(f.Text1.Text(), "0");
  EXPECT_EQ(f.Text5.Text(), "0");  // no table yet

  write("big.atl", 1000);
  write("odd.atl", 149);
  write("neg.atl", 150);
  f.File1.Refresh();
  f.form.user_close();  // load without running frames
  auto meter = [&](const std::string& model, const std::string& frames) {
    f.File1.user_click(index_of(model));
    f.Text1.set_Text(frames);
    f.Timer1.fire();
    return f.Text5.Text();
  };
  EXPECT_EQ(meter("big.atl", "57"), "570");
  EXPECT_EQ(meter("odd.atl", "1"), "1");
  EXPECT_EQ(meter("odd.atl", "0"), "0");
  EXPECT_EQ(meter("neg.atl", "-1"), "-1");
  // An error skips only the throughput step.
  EXPECT_EQ(meter("big.atl", "x"), "-1");
  EXPECT_EQ(f.Text2.Text(), "x");
  EXPECT_EQ(f.Text1.Text(), "0");
  EXPECT_EQ(meter("big.atl", "1e300"), "-1");
}
