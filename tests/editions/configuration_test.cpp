// The ten configurations against the history of the window: which controls
// each edition has, the captions and start values that changed over the
// editions, its texture, and the platform functions and procedures that its
// switches imply.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "editions/editions.h"
#include "platform/gdi/bmp.h"

namespace {

using editions::EditionConfig;

const EditionConfig& edition(int n) { return *editions::find_edition(n); }

const editions::ControlDesign* find(const EditionConfig& e, std::string_view name) {
  for (const auto& c : e.controls) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

bool calls(const EditionConfig& e, std::string_view function) {
  return std::any_of(e.platform_functions.begin(), e.platform_functions.end(),
                     [&](const auto& f) { return f.name == function && f.called; });
}
bool has(const EditionConfig& e, std::string_view procedure) {
  return std::find(e.procedures.begin(), e.procedures.end(), procedure) != e.procedures.end();
}

}  // namespace

TEST(EditionConfigurations, ControlsArriveInTheirEditionAndStay) {
  // The first edition of every control; side views are pPicture2/pPicture3
  // from edition 5, and before that Picture2/Picture3 (which then become the
  // blue square and the work surface).
  const std::map<std::string, int> first = {
      {"Check1", 1},    {"Check2", 1},    {"Check3", 1},   {"Check4", 1},    {"Check5", 1},
      {"Check6", 1},    {"Check7", 2},    {"Check8", 2},   {"Check9", 2},    {"Check10", 2},
      {"Check11", 3},   {"Check12", 3},   {"Check13", 3},  {"Check14", 3},   {"Check15", 3},
      {"Check16", 3},   {"Check17", 3},   {"Check18", 5},  {"Check19", 6},   {"Check20", 6},
      {"Check21", 6},   {"Option1", 6},   {"Option2", 6},  {"Command1", 1},  {"File1", 1},
      {"HScroll1", 1},  {"HScroll2", 1},  {"HScroll3", 2}, {"HScroll4", 5},  {"HScroll5", 5},
      {"Text1", 1},     {"Text2", 1},     {"Text3", 1},    {"Text4", 1},     {"Text5", 2},
      {"Text6", 3},     {"Text7", 5},     {"Label1", 2},   {"Label2", 2},    {"Label3", 6},
      {"Label4", 6},    {"Picture1", 1},  {"Picture2", 2}, {"Picture3", 2},  {"pPicture2", 5},
      {"pPicture3", 5}, {"Picture4", 5},  {"Picture5", 5}, {"Timer1", 1}};
  for (int n = 1; n <= 10; ++n) {
    const EditionConfig& e = edition(n);
    EXPECT_EQ(e.number, n);
    EXPECT_EQ(e.program, n == 1 ? "kelvo" : "kelvo" + std::to_string(n));
    for (const auto& [name, from] : first) {
      EXPECT_EQ(find(e, name) != nullptr, n >= from) << e.program << " " << name;
    }
    EXPECT_EQ(e.controls.size(), static_cast<std::size_t>(std::count_if(
                                     first.begin(), first.end(),
                                     [n](const auto& c) { return n >= c.second; })))
        << e.program;
    const std::size_t lines = n == 1 ? 0 : n == 2 ? 2 : n <= 5 ? 9 : 10;
    EXPECT_EQ(e.lines.size(), lines) << e.program;
  }
}

TEST(EditionConfigurations, CaptionsAndStartValuesByEdition) {
  struct Change {
    const char* control;
    int from, to;
    const char* text;
    int value;  // -1: not a check box or scroll bar value
  };
  const Change changes[] = {
      {"Check1", 1, 1, "CLS", 1},        {"Check1", 2, 4, "Clear", 1},
      {"Check1", 5, 10, "ClearBuff", 1}, {"Check3", 1, 2, "Wire", 0},
      {"Check3", 3, 10, "Wired", 0},     {"Check4", 1, 1, "GrFill", 1},
      {"Check4", 2, 10, "Filled", 1},    {"Check8", 2, 4, "Gradient", 0},
      {"Check8", 5, 10, "Gradient", 1},  {"Check10", 2, 4, "Shading", 0},
      {"Check10", 5, 10, "Shading", 1},  {"Check11", 3, 4, "Normal", 0},
      {"Check11", 5, 10, "Normal", 1},   {"Check12", 3, 5, "brake 25fps", 0},
      {"Check12", 6, 10, "Max 50fps", 1}, {"Check17", 3, 10, "Perspettive", 1},
      {"Command1", 1, 4, "Command1", -1}, {"Command1", 5, 10, "Start", -1},
      {"HScroll3", 2, 4, "", 32767},     {"HScroll3", 5, 5, "", 1000},
      {"HScroll3", 6, 10, "", 10000},
  };
  for (const Change& c : changes) {
    for (int n = c.from; n <= c.to; ++n) {
      const editions::ControlDesign* d = find(edition(n), c.control);
      ASSERT_NE(d, nullptr) << n << " " << c.control;
      EXPECT_EQ(d->text, c.text) << n << " " << c.control;
      if (c.value >= 0) {
        EXPECT_EQ(d->value, c.value) << n << " " << c.control;
      }
    }
  }
  const editions::ControlDesign* main_view = find(edition(1), "Picture1");
  EXPECT_EQ(main_view->rect.width, 4695);
  EXPECT_EQ(find(edition(2), "Picture1")->rect.width, 4815);
  EXPECT_EQ(find(edition(5), "Picture3")->rect.left, 120);
  EXPECT_EQ(find(edition(5), "Picture3")->rect.top, 4560);
}

TEST(EditionConfigurations, TexturesFitTheirPictureBoxes) {
  for (int n = 1; n <= 10; ++n) {
    const EditionConfig& e = edition(n);
    if (n < 5) {
      EXPECT_TRUE(e.texture.empty()) << n;
      continue;
    }
    const gdi::Bitmap image = gdi::read_bmp(e.texture);
    const int size = n == 9 ? 16 : n == 10 ? 64 : 32;
    EXPECT_EQ(image.width, size) << n;
    EXPECT_EQ(image.height, size) << n;
    EXPECT_EQ(find(e, "Picture5")->rect.width, size * 15) << n;
    EXPECT_EQ(find(e, "Picture5")->rect.height, size * 15) << n;
  }
  EXPECT_NE(gdi::read_bmp(edition(5).texture).pixels, gdi::read_bmp(edition(6).texture).pixels);
  for (int n : {7, 8}) EXPECT_TRUE(std::ranges::equal(edition(n).texture, edition(6).texture));
}

TEST(EditionConfigurations, FunctionsAndProceduresMatchTheSwitches) {
  for (int n = 1; n <= 10; ++n) {
    const EditionConfig& e = edition(n);
    SCOPED_TRACE(e.program);
    const bool table_gradients = e.b3d.fill_colours == b3d::FillColours::Table;
    EXPECT_EQ(calls(e, "GradientFill"),
              table_gradients && e.b3d.gradient_entry == b3d::GradientEntry::Msimg32);
    EXPECT_EQ(calls(e, "GdiGradientFill"), !table_gradients ||
                                               e.b3d.gradient_entry == b3d::GradientEntry::Gdi32);
    EXPECT_EQ(calls(e, "MoveToEx"), e.b3d.fast_lines_choice);
    EXPECT_EQ(calls(e, "Polygon"), e.b3d.gradient_choice);
    EXPECT_EQ(calls(e, "Sleep"), e.loop.pacing);
    EXPECT_EQ(calls(e, "PlgBlt"), e.loop.textured);
    EXPECT_FALSE(calls(e, "TransparentBlt"));
    EXPECT_EQ(has(e, "ProjectModel"), e.loop.perspective);
    EXPECT_EQ(has(e, "DrawTextured"), e.loop.textured);
    EXPECT_EQ(has(e, "ShadeFactor"), e.b3d.shade_rule != b3d::ShadeRule::None);
  }
}
