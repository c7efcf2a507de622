#include "editions/edition8.h"

#include "editions/textures.h"

namespace editions {

namespace {

using gdi::RGB;

constexpr gdi::COLORREF kPale = RGB(192, 192, 255);
constexpr gdi::COLORREF kBlue = RGB(128, 128, 255);
constexpr gdi::COLORREF kDarkBlueText = RGB(0, 0, 64);
constexpr gdi::COLORREF kPureBlue = RGB(0, 0, 255);
constexpr gdi::COLORREF kRed = RGB(255, 0, 0);

ControlDesign check(std::string_view name, std::string_view caption, int value, toolkit::Rect rect,
                  gdi::COLORREF back) {
  return {.name = name, .rect = rect, .text = caption, .value = value, .back_colour = back,
          .text_colour = kDarkBlueText};
}

ControlDesign plain_check(std::string_view name, std::string_view caption, int value,
                        toolkit::Rect rect) {
  return {.name = name, .rect = rect, .text = caption, .value = value};
}

ControlDesign picture(std::string_view name, toolkit::Rect rect, gdi::COLORREF back,
                    gdi::COLORREF text, gdi::COLORREF fill, bool border, bool pixel_scale) {
  return {.name = name, .rect = rect, .back_colour = back, .text_colour = text,
          .fill_colour = fill, .border = border, .pixel_scale = pixel_scale};
}

ControlDesign scroll(std::string_view name, toolkit::Rect rect, int min, int max, int large,
                   int value) {
  return {.name = name, .rect = rect, .value = value, .min = min, .max = max,
          .large_change = large};
}

ControlDesign text(std::string_view name, std::string_view initial, toolkit::Rect rect,
                 bool bold = false, std::optional<gdi::COLORREF> back = std::nullopt) {
  return {.name = name, .rect = rect, .text = initial, .back_colour = back, .bold = bold};
}

ControlDesign label(std::string_view name, std::string_view caption, toolkit::Rect rect,
                  bool bold = false) {
  return {.name = name, .rect = rect, .text = caption, .bold = bold};
}

EditionConfig make_edition8() {
  EditionConfig e;
  e.number = 8;
  e.program = "kelvo8";
  e.client_width = 10770;
  e.client_height = 8160;
  e.controls = {
      check("Check1", "ClearBuff", 1, {6240, 2280, 1215, 255}, kPale),
      check("Check2", "Rotate", 1, {6240, 2760, 1215, 255}, kBlue),
      check("Check3", "Wired", 0, {5160, 4080, 1095, 255}, kBlue),
      check("Check4", "Filled", 1, {6360, 4080, 1095, 255}, kBlue),
      check("Check5", "Culling", 1, {6360, 5280, 1095, 255}, kPale),
      check("Check6", "Z sort", 1, {6240, 3000, 1215, 255}, kPale),
      {.name = "Check7", .rect = {120, 7560, 1095, 255}, .text = "autorotate", .value = 1,
       .back_colour = RGB(224, 224, 224)},
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
      {.name = "Check20", .rect = {6240, 1800, 1215, 255}, .text = "Random", .value = 0,
       .back_colour = RGB(255, 128, 255)},
      check("Check21", "Translate", 1, {6240, 2520, 1215, 255}, kBlue),

      {.name = "Option1", .rect = {7680, 2520, 1215, 255}, .text = "Method1", .value = 1,
       .back_colour = kPale},
      {.name = "Option2", .rect = {7680, 2760, 1215, 255}, .text = "Method2", .value = 0,
       .back_colour = kPale},

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

      picture("Picture1", {120, 240, 4815, 3495}, kPale, kRed, kRed, true, false),
      picture("pPicture2", {120, 4560, 2295, 1935}, kPale, kRed, kRed, true, false),
      picture("pPicture3", {2520, 4560, 2295, 1935}, kPale, kRed, kRed, true, false),
      picture("Picture2", {1320, 7080, 630, 630}, kPureBlue, kPureBlue, kPureBlue, false, false),
      picture("Picture3", {4080, 7080, 4815, 3450}, kPureBlue, kPureBlue, kPureBlue, false, true),
      picture("Picture4", {2880, 6960, 870, 825}, kPureBlue, RGB(0, 0, 0), RGB(0, 255, 0), false,
              false),
      picture("Picture5", {2040, 7080, 480, 480}, RGB(192, 192, 192), kPureBlue, kPureBlue,
              false, true),

      {.name = "Command1", .rect = {6240, 6360, 1215, 435}, .text = "Start"},
      {.name = "File1", .rect = {9120, 240, 1335, 2820}, .text = "*.atl"},
      {.name = "Timer1", .value = 1000},
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
  e.texture = edition6_texture();
  return e;
}

}  // namespace

const EditionConfig& edition8() {
  static const EditionConfig config = make_edition8();
  return config;
}

}  // namespace editions
