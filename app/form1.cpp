// Form1's construction: every control of the edition in its design-time state.

#include "app/form1.h"

#include <stdexcept>

#include "platform/gdi/bmp.h"

namespace app {

Form1::Form1(const editions::EditionConfig& edition, toolkit::Toolkit& toolkit,
             const std::string& folder)
    : B3D({form, File1, HScroll4, HScroll5, Check5, Check6, Check8, Check9, Check10, Check19,
           Text7, Picture1, Picture2, Picture3, Picture5},
          edition.b3d),
      edition_(edition),
      toolkit_(toolkit) {
  all_ = {&Check1,   &Check2,   &Check3,   &Check4,   &Check5,   &Check6,    &Check7,
          &Check8,   &Check9,   &Check10,  &Check11,  &Check12,  &Check13,   &Check14,
          &Check15,  &Check16,  &Check17,  &Check18,  &Check19,  &Check20,   &Check21,
          &Option1,  &Option2,  &HScroll1, &HScroll2, &HScroll3, &HScroll4,  &HScroll5,
          &Text1,    &Text2,    &Text3,    &Text4,    &Text5,    &Text6,     &Text7,
          &Label1,   &Label2,   &Label3,   &Label4,   &Picture1, &pPicture2, &pPicture3,
          &Picture2, &Picture3, &Picture4, &Picture5, &Command1, &File1,     &Timer1};
  Option1.group = Option2.group = {&Option1, &Option2};

  form.exists = true;
  form.client_width = edition.client_width;
  form.client_height = edition.client_height;
  form.set_Caption("Form1");
  File1.Path = folder;
  for (const editions::ControlDesign& design : edition.controls) apply(design);
  for (const editions::LineDesign& design : edition.lines) {
    toolkit::Line& line = lines.emplace_back(std::string(design.name));
    line.exists = true;
    line.X1 = design.x1;
    line.Y1 = design.y1;
    line.X2 = design.x2;
    line.Y2 = design.y2;
  }
  if (!edition.texture.empty()) Picture5.set_Picture(gdi::read_bmp(edition.texture));
  // The side views are pPicture2 and pPicture3, except in the editions that
  // had no other pictures by those names.
  if (edition.loop.side_views != editions::LoopVariants::SideViews::None) {
    left_view_ = &picture_named(edition.loop.left_view);
    right_view_ = &picture_named(edition.loop.right_view);
  }
  bind_handlers();
}

toolkit::PictureBox& Form1::picture_named(std::string_view name) {
  for (toolkit::PictureBox* picture : {&Picture1, &pPicture2, &pPicture3, &Picture2, &Picture3}) {
    if (picture->name() == name && picture->exists) return *picture;
  }
  throw std::logic_error("edition configuration draws a side view on " + std::string(name) +
                         ", which it does not have");
}

toolkit::Control* Form1::find(std::string_view name) const {
  for (toolkit::Control* control : present_) {
    if (control->name() == name) return control;
  }
  return nullptr;
}

void Form1::apply(const editions::ControlDesign& design) {
  toolkit::Control* control = nullptr;
  for (toolkit::Control* candidate : all_) {
    if (candidate->name() == design.name) control = candidate;
  }
  if (control == nullptr) {
    throw std::logic_error("edition configuration names an unknown control " +
                           std::string(design.name));
  }
  control->exists = true;
  control->rect = design.rect;
  control->back_colour = design.back_colour;
  control->text_colour = design.text_colour;
  control->bold = design.bold;
  present_.push_back(control);

  const std::string text(design.text);
  if (auto* box = dynamic_cast<toolkit::CheckBox*>(control)) {
    box->Caption = text;
    box->set_Value(design.value);
  } else if (auto* option = dynamic_cast<toolkit::OptionButton*>(control)) {
    option->Caption = text;
    if (design.value == 1) option->set_Value(true);
  } else if (auto* bar = dynamic_cast<toolkit::HScrollBar*>(control)) {
    bar->Min = design.min;
    bar->Max = design.max;
    bar->LargeChange = design.large_change;
    bar->set_Value(design.value);
  } else if (auto* text_box = dynamic_cast<toolkit::TextBox*>(control)) {
    text_box->set_Text(text);
  } else if (auto* label = dynamic_cast<toolkit::Label*>(control)) {
    label->Caption = text;
  } else if (auto* picture = dynamic_cast<toolkit::PictureBox*>(control)) {
    picture->border = design.border;
    picture->ScaleMode = design.pixel_scale ? toolkit::kScalePixels : toolkit::kScaleTwips;
    if (design.back_colour) picture->set_BackColor(*design.back_colour);
    if (design.text_colour) picture->set_ForeColor(*design.text_colour);
    if (design.fill_colour) picture->set_FillColor(*design.fill_colour);
    // Every picture box draws with a solid fill style, so filled polygons
    // drawn on it take the fill colour.
    picture->set_FillStyle(gdi::FILL_SOLID);
    picture->layout();
    picture->Cls();
  } else if (auto* button = dynamic_cast<toolkit::CommandButton*>(control)) {
    button->Caption = text;
  } else if (auto* list = dynamic_cast<toolkit::FileListBox*>(control)) {
    list->Pattern = text;
    list->Refresh();
  } else if (auto* timer = dynamic_cast<toolkit::Timer*>(control)) {
    timer->Interval = design.value;
    timer->Enabled = true;
  }
}

void Form1::bind_handlers() {
  Command1.on_click = [this] { Command1_Click(); };
  File1.on_click = [this] { File1_Click(); };
  Timer1.on_timer = [this] { Timer1_Timer(); };
  HScroll1.on_scroll = [this] { HScroll1_Scroll(); };
  Check3.on_click = [this] { Check3_Click(); };
  Check4.on_click = [this] { Check4_Click(); };
  form.on_unload = [this] { Form_Unload(); };
}

}  // namespace app
