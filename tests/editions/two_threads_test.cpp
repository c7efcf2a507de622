// Two threads draw what one draws, and leave the same colours, position and
// texts behind: every edition, every renderer, a range of settings, on a
// torus and on a torus with corners sent to infinity and beyond, where the
// renderers fall back on values of earlier triangles.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <utility>

#include "app/form1.h"
#include "editions/editions.h"
#include "platform/toolkit/headless_toolkit.h"

namespace {

// One program of an edition with the torus loaded, drawing with the threads
// given.
class Program {
 public:
  Program(long edition, b3d::Threads threads)
      : form(*editions::find_edition(edition), toolkit, folder()) {
    form.B3D.set_threads(threads);
    auto click = std::exchange(form.File1.on_click, nullptr);
    form.File1.Refresh();
    form.File1.user_click(0);
    form.File1.on_click = click;
    form.B3D.LoadModel();
  }

  // A folder of this process's own: other runs of the test, side by side,
  // would rewrite the model while it is read.
  static std::string folder() {
    const std::string dir = testing::TempDir() + "two_threads_" + std::to_string(getpid());
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(std::string(KELVO_SOURCE_DIR) + "/models/torus.atl",
                               dir + "/torus.atl",
                               std::filesystem::copy_options::overwrite_existing);
    return dir;
  }

  void run(long frames) {
    toolkit.at_frame_end = [this, frames](long frame) {
      if (frame == frames) form.form.user_close();
    };
    form.Command1.user_click();
  }

  toolkit::HeadlessToolkit toolkit;
  app::Form1 form;
};

// Model corners that no screen holds, and some that are not numbers.
void spoil(b3d::Table& table, std::mt19937& rng) {
  const float values[] = {std::numeric_limits<float>::infinity(),
                          -std::numeric_limits<float>::infinity(),
                          std::numeric_limits<float>::quiet_NaN(), 3e9f, -1e38f};
  for (int k = 0; k < 40; ++k) {
    const int row = static_cast<int>(rng() % static_cast<unsigned>(table.upper_row() + 1));
    const int column = b3d::kModelX1 + static_cast<int>(rng() % 9);
    table(row, column) = values[rng() % std::size(values)];
  }
}

void expect_same(const app::Form1& one, const app::Form1& two) {
  const auto same_image = [](const toolkit::PictureBox& p, const toolkit::PictureBox& q) {
    return p.image().pixels() == q.image().pixels();
  };
  EXPECT_TRUE(same_image(one.Picture1, two.Picture1));
  EXPECT_TRUE(same_image(one.Picture2, two.Picture2));
  EXPECT_TRUE(same_image(one.Picture3, two.Picture3));
  EXPECT_TRUE(same_image(one.Picture5, two.Picture5));
  EXPECT_EQ(one.Text7.Text(), two.Text7.Text());
  EXPECT_EQ(one.Picture1.FillColor(), two.Picture1.FillColor());
  EXPECT_EQ(one.Picture1.ForeColor(), two.Picture1.ForeColor());
  const gdi::POINT at_one = one.Picture1.image().current_position;
  const gdi::POINT at_two = two.Picture1.image().current_position;
  EXPECT_TRUE(at_one.x == at_two.x && at_one.y == at_two.y);
  EXPECT_EQ(one.Picture1.image().pen_colour, two.Picture1.image().pen_colour);
  EXPECT_EQ(one.B3D.TextureCut, two.B3D.TextureCut);
}

TEST(TwoThreads, DrawWhatOneThreadDrawsInEveryEdition) {
  std::mt19937 rng(41);
  for (long edition = 1; edition <= 10; ++edition) {
    for (int round = 0; round < 8; ++round) {
      SCOPED_TRACE("edition " + std::to_string(edition) + " round " + std::to_string(round));
      Program one(edition, b3d::Threads::One);
      Program two(edition, b3d::Threads::Two);
      const bool spoilt = round % 4 == 3;
      const unsigned seed = static_cast<unsigned>(rng());
      for (Program* p : {&one, &two}) {
        std::mt19937 same(seed);
        if (spoilt) spoil(*p->form.B3D.TriangleTable, same);
        app::Form1& f = p->form;
        // Wire, filled, culling, shading, textured, correct and Z sort, and
        // gradient and fast lines (greyed too), the same for both programs.
        for (toolkit::CheckBox* box : {&f.Check3, &f.Check4, &f.Check5, &f.Check10, &f.Check15,
                                       &f.Check19, &f.Check6}) {
          box->set_Value(static_cast<int>(same() % 2));
        }
        f.Check8.set_Value(static_cast<int>(same() % 3));
        f.Check9.set_Value(static_cast<int>(same() % 3));
      }
      one.run(3);
      two.run(3);
      expect_same(one.form, two.form);
    }
  }
}

}  // namespace
