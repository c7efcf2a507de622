#pragma once
// The form's window: its title follows the form's caption, the lines of the
// diagram are drawn over the widgets, and closing it unloads the form.

#include <FL/Fl_Window.H>

#include <deque>

#include "platform/toolkit/fltk_view.h"

namespace toolkit::fltk {

// Double-buffered like Fl_Double_Window, but through a back buffer of its
// own: the double-buffer extension that Fl_Double_Window uses where the X
// server has it copies the whole window to the screen on every repaint,
// where only the changed parts need copying.
class FormWindow : public Fl_Window, public BoundView {
 public:
  FormWindow(Form& form, const std::deque<Line>& lines);
  ~FormWindow() override;

  // The caption changed.
  void control_changed() override;

  void hide() override;
  void resize(int x, int y, int w, int h) override;

 protected:
  void flush() override;
  void draw() override;

 private:
  static void close_requested(Fl_Widget* widget, void* window);
  static void show_caption(void* window);
  void drop_back_buffer();
  Form& form_;
  const std::deque<Line>& lines_;
  bool caption_pending_ = false;
  // An X pixmap the size of the window, once it is shown; 0 before.
  unsigned long back_buffer_ = 0;
};

}  // namespace toolkit::fltk
