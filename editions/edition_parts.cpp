#include "editions/edition_parts.h"

#include "editions/design.h"
#include "editions/early_windows.h"

namespace editions {

namespace {

// A function declared from edition `declared`, called from `called_from` to
// `called_to` (0: never).
struct FunctionHistory {
  PlatformFunction function;
  int declared_from, declared_to;
  int called_from, called_to;
};

constexpr int kLast = 10;

}  // namespace

std::string_view program_name(int edition) {
  static constexpr std::string_view kNames[] = {"kelvo",  "kelvo2", "kelvo3", "kelvo4",
                                                "kelvo5", "kelvo6", "kelvo7", "kelvo8",
                                                "kelvo9", "kelvo10"};
  return kNames[edition - 1];
}

std::vector<PlatformFunction> platform_functions_of(int edition) {
  static const FunctionHistory kHistory[] = {
      {{"Polyline", "gdi32"}, 1, kLast, 1, kLast},
      {{"GradientFill", "msimg32"}, 1, 4, 1, 3},
      {{"Polygon", "gdi32"}, 2, kLast, 2, kLast},
      {{"MoveToEx", "gdi32"}, 2, kLast, 2, kLast},
      {{"LineTo", "gdi32"}, 2, kLast, 2, kLast},
      {{"Sleep", "kernel32"}, 3, kLast, 3, kLast},
      {{"GdiGradientFill", "gdi32"}, 4, kLast, 4, kLast},
      {{"PlgBlt", "gdi32"}, 5, kLast, 5, kLast},
      {{"GdiTransparentBlt", "gdi32"}, 5, kLast, 5, kLast},
      {{"TransparentBlt", "msimg32"}, 5, kLast, 0, 0},
  };
  std::vector<PlatformFunction> functions;
  for (const FunctionHistory& h : kHistory) {
    if (edition < h.declared_from || edition > h.declared_to) continue;
    PlatformFunction f = h.function;
    f.called = edition >= h.called_from && edition <= h.called_to;
    functions.push_back(f);
  }
  return functions;
}

std::vector<std::string_view> procedures_of(int edition) {
  std::vector<std::string_view> procedures = {"LoadModel", "RotateModel", "DepthSort", "DrawWire",
                                              "DrawFilled"};
  if (edition >= 3) procedures.push_back("ShadeFactor");
  if (edition >= 5) {
    for (std::string_view p : {"ProjectModel", "DrawTextured", "TriangleBounds"}) {
      procedures.push_back(p);
    }
  }
  return procedures;
}

EditionConfig full_window(int texture_size) {
  using namespace design;
  EditionConfig e;
  e.client_width = 10770;
  e.client_height = 8160;
  const int texture_twips = texture_size * toolkit::kTwipsPerPixel;
  e.controls = {
      check("Check1", "ClearBuff", 1, {6240, 2280, 1215, 255}, kPale),
      check("Check2", "Rotate", 1, {6240, 2760, 1215, 255}, kBlue),
      check("Check3", "Wired", 0, {5160, 4080, 1095, 255}, kBlue),
      check("Check4", "Filled", 1, {6360, 4080, 1095, 255}, kBlue),
      check("Check5", "Culling", 1, {6360, 5280, 1095, 255}, kPale),
      check("Check6", "Z sort", 1, {6240, 3000, 1215, 255}, kPale),
      tinted_check("Check7", "autorotate", 1, {120, 7560, 1095, 255}, kLightGrey),
      check("Check8", "Gradient", 1, {6360, 4320, 1095, 255}, kPale),
      check("Check9", "Fast lines", 1, {5160, 4320, 1095, 195}, kPale),
      check("Check10", "Shading", 1, {6360, 4560, 1095, 255}, kPale),
      check("Check11", "Normal", 1, {6240, 3240, 1215, 255}, kPale),
      plain_check("Check12", "Max 50fps", 1, {5640, 1080, 1215, 255}),
      plain_check("Check13", "Active", 0, {120, 6600, 1095, 255}),
      plain_check("Check14", "Active", 0, {2520, 6600, 1095, 255}),
      check("Check15", "Textured", 0, {7560, 4080, 1095, 255}, kBlue),
      check("Check16", "Shading", 0, {7560, 4560, 1095, 255}, kPale),
      check("Check17", "Perspettive", 1, {6360, 5520, 1095, 255}, kPale),
      check("Check18", "SwapBuff", 1, {6360, 5760, 1095, 255}, kPale),
      check("Check19", "Correct", 1, {7560, 4320, 1095, 255}, kPale),
      tinted_check("Check20", "Random", 0, {6240, 1800, 1215, 255}, kPink),
      check("Check21", "Translate", 1, {6240, 2520, 1215, 255}, kBlue),

      option("Option1", "Method1", true, {7680, 2520, 1215, 255}, kPale),
      option("Option2", "Method2", false, {7680, 2760, 1215, 255}, kPale),

      scroll("HScroll1", {480, 3840, 3855, 255}, 0, 360, 100, 0),
      scroll("HScroll2", {480, 4200, 3855, 255}, 0, 360, 100, 0),
      scroll("HScroll3", {120, 7800, 1815, 255}, 0, 32767, 1, 10000),
      scroll("HScroll4", {7920, 6480, 2415, 255}, 1, 10, 3, 1),
      scroll("HScroll5", {120, 7200, 1815, 255}, 50, 500, 100, 400),

      text("Text1", "0", {6360, 720, 615, 285}, true, RGB(255, 255, 255)),
      text("Text2", "0", {5640, 720, 615, 285}, true),
      text("Text3", "0", {5040, 2040, 735, 285}),
      text("Text4", "Text4", {5040, 2400, 735, 285}),
      text("Text5", "0", {5640, 360, 615, 285}, true),
      text("Text6", "0", {6600, 360, 735, 285}),
      text("Text7", "Text7", {7440, 360, 975, 285}),

      view("Picture1", {120, 240, 4815, 3495}),
      view("pPicture2", {120, 4560, 2295, 1935}),
      view("pPicture3", {2520, 4560, 2295, 1935}),
      picture("Picture2", {1320, 7080, 630, 630}, kPureBlue, kPureBlue, kPureBlue, false, false),
      picture("Picture3", {4080, 7080, 4815, 3450}, kPureBlue, kPureBlue, kPureBlue, false, true),
      picture("Picture4", {2880, 6960, 870, 825}, kPureBlue, RGB(0, 0, 0), RGB(0, 255, 0), false,
              false),
      picture("Picture5", {2040, 7080, texture_twips, texture_twips}, kSilver, kPureBlue,
              kPureBlue, false, true),

      button("Command1", "Start", {6240, 6360, 1215, 435}),
      file_list("File1", {9120, 240, 1335, 2820}),
      timer("Timer1", 1000),
      label("Label1", "FPS :", {5040, 720, 615, 255}, true),
      label("Label2", "AVG :", {5040, 360, 615, 255}, true),
      label("Label3", "Zoom", {7920, 6240, 2415, 255}),
      label("Label4", "Perspektive", {120, 6960, 1575, 255}),
  };
  e.lines = {
      {"Line1", 5640, 4080, 6480, 3480}, {"Line2", 8040, 4080, 7200, 3480},
      {"Line3", 6840, 3480, 6840, 4080}, {"Line4", 6840, 4800, 6840, 5280},
      {"Line5", 5640, 4560, 6600, 5280}, {"Line6", 8160, 4560, 7200, 5280},
      {"Line7", 6840, 6000, 6840, 6360}, {"Line8", 6720, 6240, 6840, 6360},
      {"Line9", 6960, 6240, 6840, 6360}, {"Line10", 7440, 2760, 7680, 2760},
  };
  return e;
}

EditionConfig named_edition(int edition, EditionConfig window) {
  window.number = edition;
  window.program = program_name(edition);
  window.platform_functions = platform_functions_of(edition);
  window.procedures = procedures_of(edition);
  return window;
}

EditionConfig full_edition(int edition, std::span<const std::uint8_t> texture,
                           int texture_size) {
  EditionConfig e = named_edition(edition, full_window(texture_size));
  e.texture = texture;
  return e;
}

EditionConfig sign_shaded_edition(int edition, b3d::GradientEntry gradient_entry) {
  EditionConfig e = named_edition(edition, window3());

  e.loop.set_up = LoopVariants::SetUp::ColourPerRow;
  e.loop.spin_about_x = true;
  e.loop.perspective = false;
  e.loop.textured = false;
  e.loop.left_view = "Picture2";
  e.loop.right_view = "Picture3";

  e.b3d.zoom = false;
  e.b3d.rotate_in_double = true;
  e.b3d.fill_colours = b3d::FillColours::Table;
  e.b3d.shade_rule = b3d::ShadeRule::SignOfNx;
  e.b3d.gradient_entry = gradient_entry;
  return e;
}

}  // namespace editions
