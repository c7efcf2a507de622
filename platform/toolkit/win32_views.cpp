#include "platform/toolkit/win32_views.h"

#include <algorithm>

namespace toolkit::win32 {

namespace {

Box pixel_box(const Rect& rect) {
  return {to_pixels(rect.left), to_pixels(rect.top), to_pixels(rect.width),
          to_pixels(rect.height)};
}

}  // namespace

void BoundView::create(Handle form, Kind kind, const std::string& text) {
  const Look look{control_.back_colour, control_.text_colour, control_.bold};
  handle_ = create_child(form, kind, pixel_box(control_.rect), text, look, *this);
}

CheckBoxView::CheckBoxView(Handle form, CheckBox& box) : BoundView(box), box_(box) {
  create(form, Kind::CheckBox, box.Caption);
  control_changed();
}

// Value 2 shows as the platform's greyed (indeterminate) box.
void CheckBoxView::control_changed() { set_check(handle_, box_.Value()); }

void CheckBoxView::clicked() {
  box_.user_click();
  // The model decides the new value (greyed becomes checked, not clear), and
  // it does not notify for a user's click.
  control_changed();
}

OptionButtonView::OptionButtonView(Handle form, OptionButton& option)
    : BoundView(option), option_(option) {
  // The first button of a group starts the group of automatic radio buttons.
  const bool first = option.group.empty() || option.group.front() == &option;
  create(form, first ? Kind::FirstOptionButton : Kind::OptionButton, option.Caption);
  control_changed();
}

void OptionButtonView::control_changed() { set_check(handle_, option_.Value() ? 1 : 0); }

// The model clears the other buttons of the group and notifies each.
void OptionButtonView::clicked() { option_.user_click(); }

CommandButtonView::CommandButtonView(Handle form, CommandButton& button)
    : BoundView(button), button_(button) {
  create(form, Kind::CommandButton, button.Caption);
}

void CommandButtonView::control_changed() {}

// May run the whole render loop before it returns.
void CommandButtonView::clicked() { button_.user_click(); }

TextBoxView::TextBoxView(Handle form, TextBox& box)
    : BoundView(box), box_(box), shown_(box.Text()) {
  create(form, Kind::TextBox, box.Text());
}

void TextBoxView::control_changed() {
  // Rewriting an unchanged text would move the caret under the user's hands.
  if (box_.Text() == shown_) return;
  shown_ = box_.Text();
  set_text(handle_, shown_);
}

// Every keystroke reaches the model, not only the end of an edit.
void TextBoxView::edited() {
  shown_ = text_of(handle_);
  box_.user_edit(shown_);
}

LabelView::LabelView(Handle form, Label& label)
    : BoundView(label), label_(label), shown_(label.Caption) {
  create(form, Kind::Label, label.Caption);
}

void LabelView::control_changed() {
  if (label_.Caption == shown_) return;
  shown_ = label_.Caption;
  set_text(handle_, shown_);
}

ScrollBarView::ScrollBarView(Handle form, HScrollBar& bar) : BoundView(bar), bar_(bar) {
  create(form, Kind::ScrollBar, "");
  control_changed();
}

void ScrollBarView::control_changed() {
  set_scroll(handle_, bar_.Min, bar_.Max, std::max(1, bar_.LargeChange), bar_.Value());
}

// Dragging the thumb reports Scroll for every move and Change once when it
// is let go; the arrows, the trough and the keyboard report Change. The bar
// does not move by itself: it shows the value the model keeps.
void ScrollBarView::scrolled(ScrollRequest request, int thumb) {
  const int value = bar_.Value();
  switch (request) {
    case ScrollRequest::LineLeft: bar_.user_change(value - bar_.SmallChange); break;
    case ScrollRequest::LineRight: bar_.user_change(value + bar_.SmallChange); break;
    case ScrollRequest::PageLeft: bar_.user_change(value - bar_.LargeChange); break;
    case ScrollRequest::PageRight: bar_.user_change(value + bar_.LargeChange); break;
    case ScrollRequest::Track: bar_.user_scroll(thumb); break;
    case ScrollRequest::Release: bar_.user_change(thumb); break;
    case ScrollRequest::ToMin: bar_.user_change(bar_.Min); break;
    case ScrollRequest::ToMax: bar_.user_change(bar_.Max); break;
  }
  control_changed();
}

FileListView::FileListView(Handle form, FileListBox& list) : BoundView(list), list_(list) {
  create(form, Kind::FileList, "");
  control_changed();
}

void FileListView::control_changed() {
  if (shown_ != list_.items()) {
    shown_ = list_.items();
    set_list(handle_, shown_);
  }
  select_line(handle_, list_.ListIndex());
}

void FileListView::selected(int line) {
  list_.user_click(line);
  // The model ignores a click on no line, and it does not notify for a
  // user's click: show its selection again.
  control_changed();
}

PictureView::PictureView(Handle form, PictureBox& picture)
    : BoundView(picture), picture_(picture) {
  create(form, picture.border ? Kind::BorderedPicture : Kind::Picture, "");
}

// The loop refreshes the side views every frame, drawn on or not, and most
// of the main view stays the same from one frame to the next: only what
// changed is painted again.
void PictureView::control_changed() {
  const PixelBox changed = shown_.changes(picture_.image());
  if (!changed.empty()) invalidate(handle_, {changed.x, changed.y, changed.w, changed.h});
}

void PictureView::paint(void* dc, Box area, bool exact) {
  const gdi::Surface& image = picture_.image();
  if (image.width() <= 0 || image.height() <= 0) return;
  draw_pixels(dc, image.pixels().data(), image.width(), image.height(), area);
  // What reached the screen: that rectangle of the image, unless the update
  // region was no rectangle, when the screen now mixes this image with older ones.
  if (exact) {
    shown_.drawn(image, {area.x, area.y, area.w, area.h});
  } else {
    shown_.forget();
  }
}

std::unique_ptr<ControlView> make_view(Handle form, Control& control) {
  if (auto* box = dynamic_cast<CheckBox*>(&control)) return std::make_unique<CheckBoxView>(form, *box);
  if (auto* option = dynamic_cast<OptionButton*>(&control)) {
    return std::make_unique<OptionButtonView>(form, *option);
  }
  if (auto* bar = dynamic_cast<HScrollBar*>(&control)) {
    return std::make_unique<ScrollBarView>(form, *bar);
  }
  if (auto* text = dynamic_cast<TextBox*>(&control)) return std::make_unique<TextBoxView>(form, *text);
  if (auto* label = dynamic_cast<Label*>(&control)) return std::make_unique<LabelView>(form, *label);
  if (auto* button = dynamic_cast<CommandButton*>(&control)) {
    return std::make_unique<CommandButtonView>(form, *button);
  }
  if (auto* list = dynamic_cast<FileListBox*>(&control)) {
    return std::make_unique<FileListView>(form, *list);
  }
  if (auto* picture = dynamic_cast<PictureBox*>(&control)) {
    return std::make_unique<PictureView>(form, *picture);
  }
  // Timers, lines and the form itself have no control of their own.
  return nullptr;
}

}  // namespace toolkit::win32
