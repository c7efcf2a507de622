#pragma once
// The form's window: its title follows the form's caption, the lines of the
// diagram are drawn over the widgets, and closing it unloads the form.

#include <FL/Fl_Double_Window.H>

#include <deque>

#include "platform/toolkit/fltk_view.h"

namespace toolkit::fltk {

class FormWindow : public Fl_Double_Window, public BoundView {
 public:
  FormWindow(Form& form, const std::deque<Line>& lines);
  ~FormWindow() override;

  // The caption changed.
  void control_changed() override;

 protected:
  void flush() override;
  void draw() override;

 private:
  static void close_requested(Fl_Widget* widget, void* window);
  static void show_caption(void* window);
  Form& form_;
  const std::deque<Line>& lines_;
  bool caption_pending_ = false;
};

}  // namespace toolkit::fltk
