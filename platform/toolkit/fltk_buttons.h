#pragma once
// Views of the clickable controls: check boxes, option buttons, command buttons.

#include "platform/toolkit/fltk_view.h"

class Fl_Button;
class Fl_Check_Button;
class Fl_Round_Button;

namespace toolkit::fltk {

class CheckBoxView : public BoundView {
 public:
  explicit CheckBoxView(CheckBox& box);
  void control_changed() override;

 private:
  static void clicked(Fl_Widget* widget, void* view);
  CheckBox& box_;
  Fl_Check_Button* widget_;
};

// The button is created inside the current group: exclusivity of radio
// buttons is per parent group, so the caller opens one group per option group.
class OptionButtonView : public BoundView {
 public:
  explicit OptionButtonView(OptionButton& option);
  void control_changed() override;

 private:
  static void clicked(Fl_Widget* widget, void* view);
  OptionButton& option_;
  Fl_Round_Button* widget_;
};

class CommandButtonView : public BoundView {
 public:
  explicit CommandButtonView(CommandButton& button);
  void control_changed() override;

 private:
  static void clicked(Fl_Widget* widget, void* view);
  CommandButton& button_;
  Fl_Button* widget_;
};

}  // namespace toolkit::fltk
