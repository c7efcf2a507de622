#include "editions/early_windows.h"

#include "editions/design.h"

namespace editions {

using namespace design;

EditionConfig window1() {
  EditionConfig e;
  e.client_width = 7410;
  e.client_height = 4935;
  e.controls = {
      check("Check1", "CLS", 1, {5040, 1200, 1215, 255}, kPale),
      check("Check2", "Rotate", 1, {5040, 1500, 1215, 255}, kBlue),
      check("Check6", "Z sort", 1, {5040, 1800, 1215, 255}, kPale),
      check("Check3", "Wire", 0, {5040, 2100, 1215, 255}, kBlue),
      check("Check4", "GrFill", 1, {5040, 2400, 1215, 255}, kBlue),
      check("Check5", "Culling", 1, {5040, 2700, 1215, 255}, kPale),
      scroll("HScroll1", {120, 3840, 4695, 255}, 0, 360, 100, 0),
      scroll("HScroll2", {120, 4200, 4695, 255}, 0, 360, 100, 0),
      text("Text1", "0", {5040, 240, 735, 285}, true),
      text("Text2", "0", {5040, 600, 735, 285}, true),
      text("Text3", "0", {5880, 240, 735, 285}),
      text("Text4", "Text4", {5880, 600, 735, 285}),
      view("Picture1", {120, 240, 4695, 3495}),
      button("Command1", "Command1", {5040, 3120, 1215, 435}),
      file_list("File1", {6360, 1200, 975, 2415}),
      timer("Timer1", 1000),
  };
  return e;
}

EditionConfig window2() {
  EditionConfig e;
  e.client_width = 9075;
  e.client_height = 6630;
  e.controls = {
      check("Check1", "Clear", 1, {5160, 1200, 1215, 255}, kPale),
      check("Check2", "Rotate", 1, {5160, 1500, 1215, 255}, kBlue),
      check("Check6", "Z sort", 1, {5160, 1800, 1215, 255}, kPale),
      check("Check3", "Wire", 0, {5160, 2400, 1095, 255}, kBlue),
      check("Check4", "Filled", 1, {6360, 2400, 1095, 255}, kBlue),
      check("Check9", "Fast lines", 1, {5160, 2700, 1095, 255}, kPale),
      check("Check8", "Gradient", 0, {6360, 2700, 1095, 255}, kPale),
      check("Check10", "Shading", 0, {6360, 3000, 1095, 255}, kPale),
      check("Check5", "Culling", 1, {5760, 3600, 1095, 255}, kPale),
      tinted_check("Check7", "autorotate", 1, {5160, 4560, 1215, 255}, kLightGrey),
      scroll("HScroll1", {480, 3840, 3855, 255}, 0, 360, 100, 0),
      scroll("HScroll2", {480, 4200, 3855, 255}, 0, 360, 100, 0),
      scroll("HScroll3", {5160, 4920, 1815, 255}, 0, 32767, 1, 32767),
      text("Text1", "0", {6360, 720, 615, 285}, true, RGB(255, 255, 255)),
      text("Text2", "0", {5640, 720, 615, 285}, true),
      text("Text3", "0", {7080, 360, 735, 285}),
      text("Text4", "Text4", {7080, 720, 735, 285}),
      text("Text5", "0", {5640, 360, 615, 285}, true),
      label("Label1", "FPS :", {5040, 720, 615, 255}, true),
      label("Label2", "AVG :", {5040, 360, 615, 255}, true),
      view("Picture1", {120, 240, 4815, 3495}),
      view("Picture2", {120, 4560, 2295, 1935}),
      view("Picture3", {2520, 4560, 2295, 1935}),
      button("Command1", "Command1", {5160, 5400, 1215, 435}),
      file_list("File1", {7560, 1200, 1335, 2820}),
      timer("Timer1", 1000),
  };
  e.lines = {{"Line1", 5640, 2400, 6000, 2070}, {"Line2", 6840, 2400, 6480, 2070}};
  return e;
}

EditionConfig window3() {
  EditionConfig e = window2();
  e.client_width = 9465;
  e.client_height = 7035;
  for (ControlDesign& c : e.controls) {
    if (c.name == "Check3") c.text = "Wired";
  }
  const ControlDesign more[] = {
      check("Check11", "Normal", 0, {5160, 2100, 1215, 255}, kPale),
      plain_check("Check12", "brake 25fps", 0, {5040, 1080, 1215, 255}),
      plain_check("Check13", "Active", 0, {120, 6600, 1095, 255}),
      plain_check("Check14", "Active", 0, {2520, 6600, 1095, 255}),
      check("Check15", "Textured", 0, {7560, 2400, 1095, 255}, kBlue),
      check("Check16", "Shading", 0, {7560, 3000, 1095, 255}, kPale),
      check("Check17", "Perspettive", 1, {5760, 3900, 1095, 255}, kPale),
      text("Text6", "0", {6480, 1080, 735, 285}),
  };
  e.controls.insert(e.controls.end(), std::begin(more), std::end(more));
  return e;
}

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
  const ControlDesign more[] = {
      check("Check18", "SwapBuff", 1, {5760, 4200, 1095, 255}, kPale),
      scroll("HScroll4", {7200, 6480, 2055, 255}, 1, 10, 3, 1),
      scroll("HScroll5", {5160, 6480, 1815, 255}, 50, 500, 100, 400),
      text("Text7", "Text7", {8160, 360, 975, 285}),
      picture("Picture2", {7200, 7080, 630, 630}, kPureBlue, kPureBlue, kPureBlue, false, true),
      picture("Picture3", {120, 4560, 4815, 3450}, kPureBlue, kPureBlue, kPureBlue, false, true),
      picture("Picture4", {8040, 7080, 870, 825}, kPureBlue, RGB(0, 0, 0), RGB(0, 255, 0), false,
              false),
      picture("Picture5", {7920, 5400, 480, 480}, kSilver, kPureBlue, kPureBlue, false, true),
  };
  e.controls.insert(e.controls.end(), std::begin(more), std::end(more));
  return e;
}

}  // namespace editions
