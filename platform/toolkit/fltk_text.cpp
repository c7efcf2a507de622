#include "platform/toolkit/fltk_text.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Input.H>

#include <string>
#include <string_view>

namespace toolkit::fltk {

TextBoxView::TextBoxView(TextBox& box) : BoundView(box), box_(box) {
  const PixelRect r = pixel_rect(box.rect);
  widget_ = new Fl_Input(r.x, r.y, r.w, r.h);
  widget_->textsize(kFontSize);
  if (box.bold) widget_->textfont(FL_HELVETICA_BOLD);
  if (box.back_colour) widget_->color(fl_colour(*box.back_colour));
  if (box.text_colour) widget_->textcolor(fl_colour(*box.text_colour));
  // Every keystroke reaches the model, not only the end of an edit.
  widget_->when(FL_WHEN_CHANGED);
  widget_->callback(&TextBoxView::edited, this);
  control_changed();
}

void TextBoxView::control_changed() {
  const std::string& text = box_.Text();
  const std::string_view shown(widget_->value(), static_cast<std::size_t>(widget_->size()));
  // Rewriting an unchanged text would move the caret under the user's hands.
  if (shown == text) return;
  widget_->value(text.data(), static_cast<int>(text.size()));
  // Show the start of a long text, as the box did when it was empty.
  widget_->position(0);
}

void TextBoxView::edited(Fl_Widget*, void* data) {
  auto* view = static_cast<TextBoxView*>(data);
  view->box_.user_edit(
      std::string(view->widget_->value(), static_cast<std::size_t>(view->widget_->size())));
}

LabelView::LabelView(Label& label) : BoundView(label), label_(label) {
  const PixelRect r = pixel_rect(label.rect);
  widget_ = new Fl_Box(r.x, r.y, r.w, r.h);
  widget_->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
  widget_->labelsize(kFontSize);
  if (label.bold) widget_->labelfont(FL_HELVETICA_BOLD);
  if (label.back_colour) {
    widget_->box(FL_FLAT_BOX);
    widget_->color(fl_colour(*label.back_colour));
  }
  if (label.text_colour) widget_->labelcolor(fl_colour(*label.text_colour));
  control_changed();
}

void LabelView::control_changed() {
  const char* shown = widget_->label();
  if (shown != nullptr && label_.Caption == shown) return;
  widget_->copy_label(label_.Caption.c_str());
  widget_->redraw_label();
}

}  // namespace toolkit::fltk
