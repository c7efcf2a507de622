#include "editions/early_windows.h"

#include <stdexcept>
#include <string>
#include <string_view>

#include "editions/design.h"

namespace editions {

using namespace design;

namespace {

// Moves a control a later window inherits from an earlier one.
void place(EditionConfig& e, std::string_view name, toolkit::Rect rect) {
  for (ControlDesign& c : e.controls) {
    if (c.name == name) {
      c.rect = rect;
      return;
    }
  }
  throw std::logic_error("window has no control " + std::string(name) + " to place");
}

}  // namespace

// The main view on the left with its two scroll bars across the whole width.
// On the right a narrow column: the four text boxes at the top, the
// pipeline's check boxes in their order at the foot, level with the view's
// bottom. Beside it the file list, wide enough for long model names, with the
// button under it; the column is too narrow for the button's caption.
EditionConfig window1() {
  EditionConfig e;
  e.client_width = 7410;
  e.client_height = 4935;
  e.controls = {
      check("Check1", "CLS", 1, {4920, 2205, 930, 255}, kPale),
      check("Check2", "Rotate", 1, {4920, 2460, 930, 255}, kBlue),
      check("Check6", "Z sort", 1, {4920, 2715, 930, 255}, kPale),
      check("Check3", "Wire", 0, {4920, 2970, 930, 255}, kBlue),
      check("Check4", "GrFill", 1, {4920, 3225, 930, 255}, kBlue),
      check("Check5", "Culling", 1, {4920, 3480, 930, 255}, kPale),
      scroll("HScroll1", {120, 3840, 4695, 255}, 0, 360, 100, 0),
      scroll("HScroll2", {120, 4200, 4695, 255}, 0, 360, 100, 0),
      text("Text1", "0", {4920, 240, 930, 285}, true),
      text("Text2", "0", {4920, 585, 930, 285}, true),
      text("Text3", "0", {4920, 930, 930, 285}),
      text("Text4", "Text4", {4920, 1275, 930, 285}),
      view("Picture1", {120, 240, 4695, 3495}),
      button("Command1", "Command1", {5955, 3300, 1335, 435}),
      file_list("File1", {5955, 240, 1335, 2955}),
      timer("Timer1", 1000),
  };
  return e;
}

// The later window's right-hand panel begins here: the frame-rate meter at
// the top, the spin angle left of the pipeline's trunk, which stands over
// "Filled"; "Wire" and "Filled" branch from it, "Culling" and the button
// below. The side views fill the bottom left.
EditionConfig window2() {
  EditionConfig e;
  e.client_width = 9075;
  e.client_height = 6630;
  e.controls = {
      check("Check1", "Clear", 1, {6300, 1440, 1215, 255}, kPale),
      check("Check2", "Rotate", 1, {6300, 1695, 1215, 255}, kBlue),
      check("Check6", "Z sort", 1, {6300, 1950, 1215, 255}, kPale),
      check("Check3", "Wire", 0, {5160, 2685, 1095, 255}, kBlue),
      check("Check4", "Filled", 1, {6360, 2685, 1095, 255}, kBlue),
      check("Check9", "Fast lines", 1, {5160, 2940, 1095, 255}, kPale),
      check("Check8", "Gradient", 0, {6360, 2940, 1095, 255}, kPale),
      check("Check10", "Shading", 0, {6360, 3195, 1095, 255}, kPale),
      check("Check5", "Culling", 1, {6300, 3690, 1215, 255}, kPale),
      tinted_check("Check7", "autorotate", 1, {5040, 4050, 1155, 255}, kLightGrey),
      scroll("HScroll1", {480, 3840, 3855, 255}, 0, 360, 100, 0),
      scroll("HScroll2", {480, 4200, 3855, 255}, 0, 360, 100, 0),
      scroll("HScroll3", {5040, 4365, 1155, 255}, 0, 32767, 1, 32767),
      text("Text1", "0", {6360, 720, 615, 285}, true, RGB(255, 255, 255)),
      text("Text2", "0", {5640, 720, 615, 285}, true),
      text("Text3", "0", {5040, 1440, 975, 285}),
      text("Text4", "Text4", {5040, 1800, 975, 285}),
      text("Text5", "0", {5640, 360, 615, 285}, true),
      label("Label1", "FPS :", {5040, 720, 585, 255}, true),
      label("Label2", "AVG :", {5040, 360, 585, 255}, true),
      view("Picture1", {120, 240, 4815, 3495}),
      view("Picture2", {120, 4560, 2295, 1935}),
      view("Picture3", {2520, 4560, 2295, 1935}),
      button("Command1", "Command1", {6300, 4185, 1215, 435}),
      file_list("File1", {7620, 240, 1335, 2820}),
      timer("Timer1", 1000),
  };
  // "Wire" slants up to the trunk, "Filled" stands under it.
  e.lines = {{"Line1", 5700, 2685, 6600, 2205}, {"Line2", 6900, 2205, 6900, 2685}};
  return e;
}

// Edition 2's window with the third branch, "Textured", and the whole
// diagram drawn: the branches join at "Culling" and an arrow leads from
// "Perspettive" to the button. The brake sits under the meter, the file list
// moves to the right edge above "Textured", and the side views get their
// "Active" boxes.
EditionConfig window3() {
  EditionConfig e = window2();
  e.client_width = 9465;
  e.client_height = 7035;
  for (ControlDesign& c : e.controls) {
    if (c.name == "Check3") c.text = "Wired";
  }
  place(e, "Check3", {5160, 2940, 1095, 255});
  place(e, "Check4", {6360, 2940, 1095, 255});
  place(e, "Check9", {5160, 3195, 1095, 255});
  place(e, "Check8", {6360, 3195, 1095, 255});
  place(e, "Check10", {6360, 3450, 1095, 255});
  place(e, "Check5", {6300, 4125, 1215, 255});
  place(e, "Check7", {5040, 4860, 1155, 255});
  place(e, "HScroll3", {5040, 5175, 1155, 255});
  place(e, "Command1", {6300, 4995, 1215, 435});
  place(e, "File1", {8010, 240, 1335, 2460});
  const ControlDesign more[] = {
      check("Check11", "Normal", 0, {6300, 2205, 1215, 255}, kPale),
      plain_check("Check12", "brake 25fps", 0, {5640, 1080, 1215, 255}),
      plain_check("Check13", "Active", 0, {120, 6600, 1095, 255}),
      plain_check("Check14", "Active", 0, {2520, 6600, 1095, 255}),
      check("Check15", "Textured", 0, {7560, 2940, 1095, 255}, kBlue),
      check("Check16", "Shading", 0, {7560, 3195, 1095, 255}, kPale),
      check("Check17", "Perspettive", 1, {6300, 4380, 1215, 255}, kPale),
      text("Text6", "0", {6360, 360, 615, 285}),
  };
  e.controls.insert(e.controls.end(), std::begin(more), std::end(more));
  e.lines = {
      // The trunk's foot to the three branches.
      {"Line1", 5700, 2940, 6600, 2460},
      {"Line2", 8100, 2940, 7200, 2460},
      {"Line3", 6900, 2460, 6900, 2940},
      // Each branch's last box down to "Culling".
      {"Line4", 6900, 3705, 6900, 4125},
      {"Line5", 5700, 3450, 6600, 4125},
      {"Line6", 8100, 3450, 7200, 4125},
      // The arrow to the button: shaft and heads.
      {"Line7", 6900, 4635, 6900, 4995},
      {"Line8", 6780, 4875, 6900, 4995},
      {"Line9", 7020, 4875, 6900, 4995},
  };
  return e;
}

// Edition 3's diagram with "SwapBuff" before the arrow. The blue work surface
// takes the bottom left, where the side views were, so they move, a little
// smaller, to the bottom right. The speed, perspective and zoom bars and the
// small pictures fill the two sides of the diagram's foot; the texture sits
// beside "Textured".
EditionConfig window5() {
  EditionConfig e = window3();
  e.client_height = 8160;
  for (ControlDesign& c : e.controls) {
    if (c.name == "Check1") c.text = "ClearBuff";
    if (c.name == "Check8" || c.name == "Check10" || c.name == "Check11") c.value = 1;
    if (c.name == "HScroll3") c.value = 1000;
    if (c.name == "Command1") c.text = "Start";
    if (c.name == "Picture2") c.name = "pPicture2";
    if (c.name == "Picture3") c.name = "pPicture3";
  }
  // 2100 x 1770 keeps the side views' shape; two fit beside each other.
  place(e, "pPicture2", {5040, 5880, 2100, 1770});
  place(e, "pPicture3", {7245, 5880, 2100, 1770});
  place(e, "Check13", {5040, 7755, 1095, 255});
  place(e, "Check14", {7245, 7755, 1095, 255});
  place(e, "Check7", {5040, 4740, 1155, 255});
  place(e, "HScroll3", {5040, 5055, 1155, 255});
  place(e, "Command1", {6300, 5250, 1215, 435});
  const ControlDesign more[] = {
      check("Check18", "SwapBuff", 1, {6300, 4635, 1215, 255}, kPale),
      scroll("HScroll4", {7620, 5430, 1725, 255}, 1, 10, 3, 1),
      scroll("HScroll5", {5040, 5430, 1155, 255}, 50, 500, 100, 400),
      text("Text7", "Text7", {7080, 360, 735, 285}),
      picture("Picture2", {8595, 4125, 630, 630}, kPureBlue, kPureBlue, kPureBlue, false, true),
      picture("Picture3", {120, 4560, 4815, 3450}, kPureBlue, kPureBlue, kPureBlue, false, true),
      picture("Picture4", {7620, 4125, 870, 825}, kPureBlue, RGB(0, 0, 0), RGB(0, 255, 0), false,
              false),
      picture("Picture5", {8760, 2940, 480, 480}, kSilver, kPureBlue, kPureBlue, false, true),
  };
  e.controls.insert(e.controls.end(), std::begin(more), std::end(more));
  // The arrow starts under "SwapBuff" now.
  for (LineDesign& line : e.lines) {
    if (line.name == "Line7") line = {"Line7", 6900, 4890, 6900, 5250};
    if (line.name == "Line8") line = {"Line8", 6780, 5130, 6900, 5250};
    if (line.name == "Line9") line = {"Line9", 7020, 5130, 6900, 5250};
  }
  return e;
}

}  // namespace editions
