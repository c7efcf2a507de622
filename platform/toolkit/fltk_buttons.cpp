#include "platform/toolkit/fltk_buttons.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Round_Button.H>

#include <string>

namespace toolkit::fltk {

namespace {

void set_caption(Fl_Widget& widget, const std::string& caption) {
  const char* shown = widget.label();
  if (shown != nullptr && caption == shown) return;
  widget.copy_label(caption.c_str());
  widget.redraw();
}

// A check box or option button with a back colour paints it; without one it
// keeps FLTK's own transparent look.
void apply_colours(Fl_Widget& widget, const Control& control) {
  if (control.back_colour) {
    widget.box(FL_FLAT_BOX);
    widget.color(fl_colour(*control.back_colour));
  }
  if (control.text_colour) widget.labelcolor(fl_colour(*control.text_colour));
}

}  // namespace

CheckBoxView::CheckBoxView(CheckBox& box) : BoundView(box), box_(box) {
  const PixelRect r = pixel_rect(box.rect);
  widget_ = new Fl_Check_Button(r.x, r.y, r.w, r.h);
  widget_->labelsize(kFontSize);
  apply_colours(*widget_, box);
  widget_->callback(&CheckBoxView::clicked, this);
  control_changed();
}

void CheckBoxView::control_changed() {
  set_caption(*widget_, box_.Caption);
  // FLTK has no third state: greyed shows as a grey check mark.
  const int value = box_.Value();
  const Fl_Color mark = value == 2 ? FL_DARK3 : FL_FOREGROUND_COLOR;
  if (widget_->selection_color() != mark) {
    widget_->selection_color(mark);
    widget_->redraw();
  }
  widget_->value(value != 0 ? 1 : 0);
}

void CheckBoxView::clicked(Fl_Widget*, void* data) {
  auto* view = static_cast<CheckBoxView*>(data);
  view->box_.user_click();
  // The model decides the new value (greyed becomes checked, not clear), and
  // it does not notify for a user's click.
  view->control_changed();
}

OptionButtonView::OptionButtonView(OptionButton& option) : BoundView(option), option_(option) {
  const PixelRect r = pixel_rect(option.rect);
  widget_ = new Fl_Round_Button(r.x, r.y, r.w, r.h);
  widget_->type(FL_RADIO_BUTTON);
  widget_->labelsize(kFontSize);
  apply_colours(*widget_, option);
  widget_->callback(&OptionButtonView::clicked, this);
  control_changed();
}

void OptionButtonView::control_changed() {
  set_caption(*widget_, option_.Caption);
  widget_->value(option_.Value() ? 1 : 0);
}

void OptionButtonView::clicked(Fl_Widget*, void* data) {
  // The model clears the other buttons of the group and notifies each.
  static_cast<OptionButtonView*>(data)->option_.user_click();
}

CommandButtonView::CommandButtonView(CommandButton& button) : BoundView(button), button_(button) {
  const PixelRect r = pixel_rect(button.rect);
  widget_ = new Fl_Button(r.x, r.y, r.w, r.h);
  widget_->labelsize(kFontSize);
  widget_->callback(&CommandButtonView::clicked, this);
  control_changed();
}

void CommandButtonView::control_changed() { set_caption(*widget_, button_.Caption); }

void CommandButtonView::clicked(Fl_Widget*, void* data) {
  // May run the whole render loop before it returns.
  static_cast<CommandButtonView*>(data)->button_.user_click();
}

}  // namespace toolkit::fltk
