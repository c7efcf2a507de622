#include "platform/toolkit/controls.h"

#include <algorithm>

namespace toolkit {

void CheckBox::set_Value(int value) {
  value_ = value;
  changed();
}

void CheckBox::user_click() {
  value_ = value_ == 1 ? 0 : 1;
  if (on_click) on_click();
}

void OptionButton::set_Value(bool value) {
  if (value) {
    for (OptionButton* other : group) {
      if (other != this && other->value_) {
        other->value_ = false;
        other->changed();
      }
    }
  }
  value_ = value;
  changed();
}

int HScrollBar::clamped(int value) const {
  return std::clamp(value, std::min(Min, Max), std::max(Min, Max));
}

void HScrollBar::set_Value(int value) {
  value_ = clamped(value);
  changed();
}

void HScrollBar::user_scroll(int value) {
  value_ = clamped(value);
  if (on_scroll) on_scroll();
}

void HScrollBar::user_change(int value) {
  value_ = clamped(value);
  if (on_change) on_change();
}

void TextBox::set_Text(std::string text) {
  text_ = std::move(text);
  changed();
}

void Form::set_Caption(std::string caption) {
  caption_ = std::move(caption);
  changed();
}

}  // namespace toolkit
