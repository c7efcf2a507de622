// Whole frames of the render loop through the headless toolkit: pacing, the
// spin angle, the stages in their order with the side views, the random
// model, and the texts that stop the loop.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "form1_fixture.h"
#include "platform/runtime/number.h"
#include "platform/runtime/random.h"

namespace {

// A fresh program for one scenario.
struct Program {
  explicit Program(const std::string& folder) : form(editions::edition8(), toolkit, folder) {}
  // Presses "Start"; the program ends during the last yield of frame `frames`.
  void start(long frames) {
    toolkit.at_frame_end = [this, frames](long frame) {
      if (frame == frames) form.form.user_close();
    };
    form.Command1.user_click();
  }
  toolkit::HeadlessToolkit toolkit;
  app::Form1 form;
};

double number(const toolkit::TextBox& box) { return runtime::text_to_number(box.Text()); }

}  // namespace

class RenderLoopTest : public Form1Test {
 protected:
  RenderLoopTest() {
    std::filesystem::copy_file(std::string(KELVO_SOURCE_DIR) + "/models/cube.atl",
                               dir_ + "/cube.atl");
    form_->File1.Refresh();
  }
  // Loads a model without starting the loop.
  void load(app::Form1& f, const std::string& name) {
    auto click = std::exchange(f.File1.on_click, nullptr);
    f.File1.Refresh();
    f.File1.user_click(index_of(name));
    f.File1.on_click = click;
    f.B3D.LoadModel();
  }
};

TEST_F(RenderLoopTest, PacingIntegratesTheFrameRateError) {
  struct Case {
    const char* fps;
    const char* count;
    long frames;
    const char* count_after;
    long long slept_ms;
  };
  // At 60 fps the count rises one a frame; from 100 on every frame sleeps
  // 5 ms once, from 200 on twice. Between 30 and 50 it falls below zero, below
  // 30 it is reset, and a negative rate is put back to 0.
  for (const Case& c : {Case{"60", "0", 250, "250", (100 * 1 + 51 * 2) * 5},
                        Case{"50", "0", 5, "-5", 0}, Case{"30", "3", 5, "-2", 0},
                        Case{"20", "500", 5, "0", 0}, Case{"0", "0", 3, "0", 0},
                        Case{"-5", "0", 1, "0", 0}}) {
    SCOPED_TRACE(c.fps);
    Program p(dir_);
    p.form.Text2.set_Text(c.fps);
    p.form.Text6.set_Text(c.count);
    p.start(c.frames);
    EXPECT_EQ(p.form.Text6.Text(), c.count_after);
    EXPECT_EQ(p.toolkit.slept_ms(), c.slept_ms);
    // One yield per frame, and one before each sleep.
    EXPECT_EQ(p.toolkit.yields(), c.frames + c.slept_ms / 5);
    EXPECT_GE(number(p.form.Text2), 0);
  }

  // Without "Max 50fps" the count reads 0 after every frame.
  Program off(dir_);
  off.form.Check12.set_Value(0);
  off.form.Text2.set_Text("60");
  off.form.Text6.set_Text("700");
  off.start(2);
  EXPECT_EQ(off.form.Text6.Text(), "0");
  EXPECT_EQ(off.toolkit.slept_ms(), 0);
}

TEST_F(RenderLoopTest, AnEndDuringThePacingSleepsStopsAtOnce) {
  form_->Text2.set_Text("60");
  form_->Text6.set_Text("1000");
  form_->form.user_close();  // arrives in the first yield, before the first sleep
  toolkit_.post([] {});
  form_->Command1.user_click();
  EXPECT_EQ(toolkit_.slept_ms(), 0);
  EXPECT_EQ(form_->Text1.Text(), "0");
}

TEST_F(RenderLoopTest, TheSpinAngleGrowsWithoutWrapping) {
  Program p(dir_);
  p.start(200);
  EXPECT_EQ(p.form.Text3.Text(), "400");

  // The step is single precision: a fifth of a thousandth as a float.
  Program slow(dir_);
  slow.form.HScroll3.set_Value(1);
  slow.start(1);
  EXPECT_EQ(slow.form.Text3.Text(), runtime::number_to_text(double{1.0f / 5000.0f}));

  // Without "autorotate" a typed angle stays, and each frame yields twice.
  Program still(dir_);
  still.form.Check7.set_Value(0);
  still.form.Text3.set_Text("33.5");
  still.start(4);
  EXPECT_EQ(still.form.Text3.Text(), "33.5");
  EXPECT_EQ(still.toolkit.yields(), 8);
}

TEST_F(RenderLoopTest, TheFrameRunsTheStagesInOrderWithBothSideViews) {
  app::Form1& f = *form_;
  load(f, "cube.atl");
  Program p(dir_);
  app::Form1& g = p.form;
  load(g, "cube.atl");
  // Every stage on: wireframe, filled and textured in the main view.
  for (auto* box : {&g.Check3, &g.Check13, &g.Check14, &g.Check15}) box->set_Value(1);
  g.HScroll1.set_Value(30);
  g.HScroll2.set_Value(100);
  g.Text3.set_Text("8");
  p.start(1);
  ASSERT_EQ(p.toolkit.frames_ended(), 1);

  // The same frame by hand on the other window: main view turned by
  // (HScroll1, spin, HScroll2) with perspective and sort and textured last,
  // the side views by (spin, 0, 0) and (0, 0, spin) without perspective or
  // texture.
  auto rotate = [&](float x, float y, float z) { f.B3D.RotateModel(x, y, z); };
  auto draw = [&](toolkit::PictureBox& view) {
    f.B3D.DepthSort();
    f.B3D.DrawWire(view);
    f.B3D.DrawFilled(view);
  };
  rotate(30, 10, 100);
  f.B3D.ProjectModel();
  draw(f.Picture1);
  f.B3D.DrawTextured(f.Picture1);
  rotate(10, 0, 0);
  draw(f.pPicture2);
  rotate(0, 0, 10);
  draw(f.pPicture3);

  EXPECT_EQ(g.B3D.TriangleTable, f.B3D.TriangleTable);  // the last turn's view columns
  EXPECT_EQ(g.Text7.Text(), f.Text7.Text());
  EXPECT_EQ(g.Picture3.image().pixels(), f.Picture3.image().pixels());
  EXPECT_EQ(g.Picture5.image().pixels(), f.Picture5.image().pixels());
  for (auto [mine, theirs] : {std::pair{&g.Picture1, &f.Picture1}, {&g.pPicture2, &f.pPicture2},
                              {&g.pPicture3, &f.pPicture3}}) {
    EXPECT_EQ(mine->image().pixels(), theirs->image().pixels()) << mine->name();
    EXPECT_NE(mine->image().pixels(), gdi::Surface(mine->image().width(), mine->image().height(),
                                                   mine->BackColor())
                                          .pixels())
        << mine->name();
  }
}

TEST_F(RenderLoopTest, WithoutRotationPerspectiveShrinksTheViewEveryFrame) {
  app::Form1& f = *form_;
  load(f, "cube.atl");
  float x = 15, y = 25, z = 0;
  f.B3D.RotateModel(x, y, z);
  f.Check2.set_Value(0);
  f.Check6.set_Value(0);
  std::vector<float> corner;  // a corner with z > 0
  int row = 1;
  while (f.B3D.TriangleTable->operator()(row, b3d::kViewZ1) <= 0) ++row;
  toolkit_.at_frame_end = [&](long frame) {
    corner.push_back(std::fabs((*f.B3D.TriangleTable)(row, b3d::kViewX1)));
    if (frame == 4) f.form.user_close();
  };
  f.Command1.user_click();
  ASSERT_EQ(corner.size(), 4u);
  for (int k = 1; k < 4; ++k) EXPECT_LT(corner[k], corner[k - 1]) << k;
}

TEST_F(RenderLoopTest, RandomBuildsANewModelFromTheContinuingSequence) {
  app::Form1& f = *form_;
  f.Check20.set_Value(1);
  for (auto* stage : {&f.Check2, &f.Check17, &f.Check6}) {
    stage->set_Value(0);  // leave the table as the set-up built it
  }
  runtime::Random reference;
  auto expected_model = [&] {
    b3d::Table t(200);
    for (int i = 0; i <= 200; ++i) {
      for (int j = 1; j <= 36; ++j) t(i, j) = reference.next() * 300.0f - 150.0f;
      const float colour = static_cast<float>(double{reference.next()} * 65535 - 32767);
      for (int j = 10; j <= 18; ++j) t(i, j) = colour;
    }
    return t;
  };
  std::vector<b3d::Table> seen;
  toolkit_.at_frame_end = [&](long frame) {
    seen.push_back(*f.B3D.TriangleTable);
    if (frame == 1) toolkit_.post([&] { f.Command1.user_click(); });
    if (frame == 2) toolkit_.post([&] { f.File1.user_click(index_of("b.atl")); });
    if (frame == 3) f.form.user_close();
  };
  f.Command1.user_click();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0], expected_model());
  EXPECT_EQ(seen[1], expected_model());
  // A model click loads the file, then the set-up replaces it.
  EXPECT_EQ(f.form.Caption(), "3");
  EXPECT_EQ(seen[2], expected_model());

  // The meter counts the random model as 200 triangles.
  f.Text1.set_Text("57");
  f.Timer1.fire();
  EXPECT_EQ(f.Text5.Text(), "114");
}

TEST_F(RenderLoopTest, StartWithoutAModelRunsEmptyFrames) {
  app::Form1& f = *form_;
  for (auto* box : {&f.Check3, &f.Check13, &f.Check14, &f.Check15}) box->set_Value(1);
  end_after(3);
  f.Command1.user_click();
  EXPECT_EQ(toolkit_.frames_ended(), 3);
  EXPECT_TRUE(toolkit_.messages().empty());
  EXPECT_FALSE(f.B3D.TriangleTable.has_value());
  EXPECT_EQ(f.Picture1.image().pixel(158, 114), f.Picture1.BackColor());
}

TEST_F(RenderLoopTest, TextThatIsNotANumberInAnyCounterStopsTheLoop) {
  // A spin angle beyond single precision cannot turn the model either.
  for (const auto& [name, text] : {std::pair{"Text2", "1,5"}, {"Text3", "1,5"}, {"Text6", "1,5"},
                                   {"Text3", "1e39"}}) {
    SCOPED_TRACE(name);
    Program p(dir_);
    auto* box = dynamic_cast<toolkit::TextBox*>(p.form.find(name));
    // A copy, not the binding itself: clang 14 cannot capture structured bindings.
    p.toolkit.at_frame_end = [&, edit = std::string(text)](long frame) {
      if (frame == 2) box->user_edit(edit);
    };
    p.form.Command1.user_click();
    EXPECT_EQ(p.toolkit.frames_ended(), 2);
    ASSERT_EQ(p.toolkit.messages().size(), 1u);
    EXPECT_NE(p.toolkit.messages()[0].find(std::string(name) + " holds"), std::string::npos);
    EXPECT_FALSE(p.form.loop_running());
  }
}
