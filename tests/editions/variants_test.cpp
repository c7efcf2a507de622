// What the older editions do differently, each shown against edition 8 (or
// the stages called by hand) on the cube with the same settings: the colour
// set-up, the frame steps, the handlers of Wire and Filled, the meter, the
// loader, the stages they lack, and the editions that must draw alike.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "app/form1.h"
#include "editions/editions.h"
#include "platform/runtime/number.h"
#include "platform/toolkit/headless_toolkit.h"

namespace {

using editions::EditionConfig;

// One program of an edition listing a folder that holds the cube.
class Program {
 public:
  explicit Program(const EditionConfig& edition) : form(edition, toolkit, folder()) {}

  // A folder of the test's own: ctest runs tests side by side.
  static std::string folder() {
    const testing::TestInfo& test = *testing::UnitTest::GetInstance()->current_test_info();
    const std::string dir = testing::TempDir() + "editions_" + test.name();
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(std::string(KELVO_SOURCE_DIR) + "/models/cube.atl",
                               dir + "/cube.atl",
                               std::filesystem::copy_options::overwrite_existing);
    return dir;
  }
  // Loads the cube without starting the loop.
  void load() {
    auto click = std::exchange(form.File1.on_click, nullptr);
    form.File1.Refresh();
    form.File1.user_click(0);
    form.File1.on_click = click;
    form.B3D.LoadModel();
  }
  // Presses the button; the program ends during the last yield of frame `frames`.
  void run(long frames) {
    toolkit.at_frame_end = [this, frames](long frame) {
      if (frame == frames) form.form.user_close();
    };
    form.Command1.user_click();
  }
  const b3d::Table& table() const { return *form.B3D.TriangleTable; }

  toolkit::HeadlessToolkit toolkit;
  app::Form1 form;
};

const std::vector<std::uint32_t>& pixels(const toolkit::PictureBox& p) {
  return p.image().pixels();
}
bool blank(const toolkit::PictureBox& p) {
  return p.image().pixels() ==
         gdi::Surface(p.image().width(), p.image().height(), p.BackColor()).pixels();
}

}  // namespace

TEST(EditionVariants, TheOldestEditionsColourEveryRowWhenTheLoopStarts) {
  for (const EditionConfig* e : {&editions::edition1(), &editions::edition2(),
                                 &editions::edition5(), &editions::edition8()}) {
    SCOPED_TRACE(e->program);
    Program p(*e);
    // Start before any model: nothing to colour, nothing drawn, no error.
    p.run(2);
    EXPECT_FALSE(p.form.B3D.TriangleTable.has_value());
    EXPECT_TRUE(p.toolkit.messages().empty());

    p.load();
    p.form.Check6.set_Value(0);  // rows stay where they are
    p.run(1);
    const b3d::Table first = p.table();
    p.run(1);  // a second start draws new colours
    for (int r = 0; r <= first.upper_row(); ++r) {
      for (int c = b3d::kColour; c <= b3d::kColourLast; ++c) {
        const float cell = p.table()(r, c);
        if (e->number == 8) {
          EXPECT_EQ(cell, 0);
          continue;
        }
        EXPECT_GE(cell, -32767);
        EXPECT_LT(cell, 32768);
        EXPECT_NE(cell, first(r, c));
        // One colour for the row, except in edition 1, one for each cell.
        if (c > b3d::kColour && e->number != 1) {
          EXPECT_EQ(cell, p.table()(r, b3d::kColour));
        }
      }
      if (e->number == 1) {
        EXPECT_NE(p.table()(r, 11), p.table()(r, 10));
      }
    }
  }
}

TEST(EditionVariants, FramesOfEditionsOneToFourTurnAboutXAndDrawTheirSideViews) {
  struct Case {
    const EditionConfig* edition;
    const char* spin_after;  // from 4 degrees, one frame
    bool left, right;        // side views drawn
  };
  // Edition 1 adds 2 degrees with no switch; 2 to 4 add HScroll3 / 5000, a
  // single-precision quotient.
  // Edition 2 draws both side views always, 3 only the one whose "Active"
  // is checked (here the left), 1 has none.
  for (const Case& c : {Case{&editions::edition1(), "6", false, false},
                        Case{&editions::edition2(), "10.5534000396729", true, true},
                        Case{&editions::edition3(), "10.5534000396729", true, false}}) {
    SCOPED_TRACE(c.edition->program);
    Program p(*c.edition), by_hand(*c.edition);
    p.load();
    app::Form1& g = p.form;
    g.Check6.set_Value(0);
    g.Check3.set_Value(1);
    g.Check13.set_Value(1);
    g.HScroll1.set_Value(30);
    g.HScroll2.set_Value(100);
    g.Text3.set_Text("4");
    p.run(1);
    ASSERT_EQ(g.Text3.Text(), c.spin_after);
    const float spin = static_cast<float>(runtime::text_to_number(c.spin_after));

    // The main view turned by (spin, HScroll1, HScroll2), the left side
    // view by (0, spin, 0), the right one by (0, 0, spin); no perspective.
    app::Form1& f = by_hand.form;
    f.Check6.set_Value(0);  // edition 2's renderer reads it
    f.B3D.TriangleTable = p.table();  // the colours the set-up drew
    auto frame = [&](toolkit::PictureBox& view, float x, float y, float z) {
      view.Cls();
      f.B3D.RotateModel(x, y, z);
      f.B3D.DrawWire(view);
      f.B3D.DrawFilled(view);
    };
    frame(f.Picture1, spin, 30, 100);
    EXPECT_EQ(pixels(g.Picture1), pixels(f.Picture1));
    if (c.left) frame(f.Picture2, 0, spin, 0);
    if (c.right) frame(f.Picture3, 0, 0, spin);
    EXPECT_EQ(g.B3D.TriangleTable, f.B3D.TriangleTable);  // the last turn's view columns
    for (auto [mine, theirs, drawn] :
         {std::tuple{&g.Picture2, &f.Picture2, c.left}, {&g.Picture3, &f.Picture3, c.right}}) {
      EXPECT_EQ(pixels(*mine), pixels(*theirs)) << mine->name();
      EXPECT_EQ(blank(*mine), !drawn) << mine->name();
    }
  }
}

TEST(EditionVariants, PacingStartsWithEditionThreeUnderItsOwnCaption) {
  for (const EditionConfig* e : {&editions::edition2(), &editions::edition3()}) {
    Program p(*e);
    p.form.Check12.set_Value(1);
    p.form.Text2.set_Text("60");
    p.form.Text6.set_Text("7");
    p.run(1);
    EXPECT_EQ(p.form.Text6.Text(), e->number == 2 ? "7" : "8") << e->program;
  }
  EXPECT_EQ(editions::edition3().controls.size(), editions::edition4().controls.size());
}

TEST(EditionVariants, EditionTwoKeepsWireAndFilledApart) {
  for (const EditionConfig* e : {&editions::edition2(), &editions::edition8()}) {
    Program p(*e);
    app::Form1& f = p.form;
    f.Check4.set_Value(1);
    f.Check3.user_click();
    EXPECT_EQ(f.Check3.Value(), e->number == 2 ? 0 : 1) << e->program;
    f.Check4.set_Value(0);
    f.Check3.set_Value(1);
    f.Check4.user_click();
    EXPECT_EQ(f.Check4.Value(), e->number == 2 ? 0 : 1) << e->program;
  }
}

TEST(EditionVariants, EditionOneMeasuresFramesButNoThroughput) {
  for (const EditionConfig* e : {&editions::edition1(), &editions::edition2()}) {
    Program p(*e);
    p.load();  // 12 triangles
    p.form.Text1.set_Text("500");
    p.form.Timer1_Timer();
    EXPECT_EQ(p.form.Text2.Text(), "500");
    EXPECT_EQ(p.form.Text1.Text(), "0");
    EXPECT_EQ(p.form.Text5.Text(), e->number == 1 ? "" : "60") << e->program;
  }
}

TEST(EditionVariants, EditionsOneToFourLoadWithoutZoomAndTwoDimensionsAWiderTable) {
  Program old(editions::edition2()), full(editions::edition8());
  for (Program* p : {&old, &full}) {
    p->form.HScroll4.set_Value(3);
    p->load();
  }
  EXPECT_EQ(old.table().columns(), 73);
  EXPECT_EQ(full.table().columns(), b3d::kColumns);
  for (int c = b3d::kModelX1; c < b3d::kModelX1 + 9; ++c) {
    EXPECT_EQ(full.table()(1, c), old.table()(1, c) * 3) << c;
  }
}

TEST(EditionVariants, PerspectiveAndTextureChangeNothingInEditionsThreeAndFour) {
  // Edition 4 differs from 3 only in the platform's gradient entry it calls:
  // the same pictures.
  std::vector<std::uint32_t> pictures[2][2];
  for (int plain = 0; plain < 2; ++plain) {
    for (const EditionConfig* e : {&editions::edition3(), &editions::edition4()}) {
      Program p(*e);
      p.load();
      p.form.Check8.set_Value(1);
      p.form.Check15.set_Value(plain ? 0 : 1);
      p.form.Check17.set_Value(plain ? 0 : 1);
      p.run(2);
      pictures[plain][e->number - 3] = pixels(p.form.Picture1);
    }
  }
  EXPECT_EQ(pictures[0][0], pictures[1][0]);
  EXPECT_EQ(pictures[0][0], pictures[0][1]);
  EXPECT_EQ(pictures[1][0], pictures[1][1]);
}

TEST(EditionVariants, TheOldestSortStagesRowsAndClearsRowZero) {
  for (const EditionConfig* e : {&editions::edition1(), &editions::edition8()}) {
    Program p(*e);
    p.load();
    p.run(1);
    const b3d::Table& t = p.table();
    const int n = t.upper_row();
    for (int c = 0; c < b3d::kColumns; ++c) {
      // Edition 8's row 0 is the swap space, holding a copy of row N - 1.
      EXPECT_EQ(t(0, c), e->number == 1 ? 0.0f : t(n - 1, c)) << e->program << " " << c;
    }
    for (int r = 1; r <= n; ++r) {
      if (e->number == 1) {
        EXPECT_EQ(t(r, b3d::kKey), -9999.0f) << r;
      } else if (r > 1) {
        EXPECT_GE(t(r - 1, b3d::kKey), t(r, b3d::kKey)) << r;
      }
    }
  }
}

TEST(EditionVariants, EditionsNineAndTenDifferOnlyWhereTheTextureShows) {
  std::vector<std::uint32_t> pictures[2][2];
  for (int textured = 0; textured < 2; ++textured) {
    for (const EditionConfig* e : {&editions::edition9(), &editions::edition10()}) {
      Program p(*e);
      p.load();
      p.form.Check15.set_Value(textured);
      p.run(2);
      pictures[textured][e->number - 9] = pixels(p.form.Picture1);
    }
  }
  EXPECT_EQ(pictures[0][0], pictures[0][1]);
  EXPECT_NE(pictures[1][0], pictures[1][1]);
}
