#pragma once
// Views of the text controls: text boxes (editable) and labels.

#include "platform/toolkit/fltk_view.h"

class Fl_Box;
class Fl_Input;

namespace toolkit::fltk {

class TextBoxView : public BoundView {
 public:
  explicit TextBoxView(TextBox& box);
  void control_changed() override;

 private:
  static void edited(Fl_Widget* widget, void* view);
  TextBox& box_;
  Fl_Input* widget_;
};

class LabelView : public BoundView {
 public:
  explicit LabelView(Label& label);
  void control_changed() override;

 private:
  Label& label_;
  Fl_Box* widget_;
};

}  // namespace toolkit::fltk
