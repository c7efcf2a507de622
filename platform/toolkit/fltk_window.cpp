#include "platform/toolkit/fltk_window.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

namespace toolkit::fltk {

FormWindow::FormWindow(Form& form, const std::deque<Line>& lines)
    : Fl_Window(to_pixels(form.client_width), to_pixels(form.client_height)),
      BoundView(form),
      form_(form),
      lines_(lines) {
  copy_label(form.Caption().c_str());
  // The layout is fixed in twips: the window keeps its size.
  size_range(w(), h(), w(), h());
  callback(&FormWindow::close_requested, this);
}

FormWindow::~FormWindow() {
  Fl::remove_timeout(&FormWindow::show_caption, this);
  drop_back_buffer();
}

void FormWindow::control_changed() {
  // The loader sets the caption once per triangle read; only the last one
  // can be seen, so the title is set once, at the next turn of the event loop.
  if (caption_pending_) return;
  caption_pending_ = true;
  Fl::add_timeout(0.0, &FormWindow::show_caption, this);
}

void FormWindow::show_caption(void* data) {
  auto* window = static_cast<FormWindow*>(data);
  window->caption_pending_ = false;
  const char* shown = window->label();
  if (shown == nullptr || window->form_.Caption() != shown) {
    window->copy_label(window->form_.Caption().c_str());
  }
}

void FormWindow::hide() {
  drop_back_buffer();
  Fl_Window::hide();
}

void FormWindow::resize(int x, int y, int w, int h) {
  if (w != this->w() || h != this->h()) drop_back_buffer();
  Fl_Window::resize(x, y, w, h);
}

void FormWindow::drop_back_buffer() {
  if (back_buffer_ == 0) return;
  fl_delete_offscreen(back_buffer_);
  back_buffer_ = 0;
}

void FormWindow::flush() {
  if (back_buffer_ == 0) {
    make_current();
    back_buffer_ = fl_create_offscreen(w(), h());
    // A new back buffer holds nothing yet: all of the window is drawn.
    damage(FL_DAMAGE_ALL);
  }
  // When only widgets changed, FLTK repaints each of them alone, and one that
  // overlaps a later neighbour (17-px controls stand 16 px apart) paints over
  // it. Repainting the whole window instead, clipped to the changed widgets'
  // area, keeps the stacking order, clears under widgets without a box and
  // costs little: widgets outside the clip are skipped.
  if (damage() == FL_DAMAGE_CHILD) clear_damage(FL_DAMAGE_ALL);
  // Clips to the changed area and draws (into the back buffer, see draw()).
  Fl_Window::flush();
  // The clip is still the changed area: only that reaches the screen.
  int x, y, w, h;
  fl_clip_box(0, 0, this->w(), this->h(), x, y, w, h);
  if (w > 0 && h > 0) fl_copy_offscreen(x, y, w, h, back_buffer_, x, y);
}

void FormWindow::draw() {
  const Window front = fl_window;
  if (back_buffer_ != 0) fl_window = back_buffer_;
  Fl_Window::draw();
  // The lines lie over the widgets.
  fl_color(FL_BLACK);
  for (const Line& line : lines_) {
    if (!line.exists) continue;
    fl_line(to_pixels(line.X1), to_pixels(line.Y1), to_pixels(line.X2), to_pixels(line.Y2));
  }
  fl_window = front;
}

void FormWindow::close_requested(Fl_Widget*, void* data) {
  // FLTK closes a window on Escape; the form closes only on the user's request.
  if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
  auto* window = static_cast<FormWindow*>(data);
  // The form sets its end request; a running render loop returns after the
  // yield that delivered this, and the event loop ends with no window shown.
  window->form_.user_close();
  window->hide();
}

}  // namespace toolkit::fltk
