#include "platform/toolkit/fltk_message_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "platform/toolkit/message_text.h"

namespace toolkit::fltk {

namespace {

constexpr int kMargin = 12;
constexpr int kWidestText = 420;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;

// FLTK drops a close request for any window but the modal one while a modal
// window is up; the form's is delivered all the same, as the user means it.
int dispatch(int event, Fl_Window* window) {
  if (event == FL_CLOSE && window != nullptr && Fl::modal() != nullptr && window != Fl::modal()) {
    window->do_callback();
    return 1;
  }
  return Fl::handle_(event, window);
}

void dismiss(Fl_Widget* button, void*) { button->window()->hide(); }

}  // namespace

void deliver_close_requests_past_message_boxes() { Fl::event_dispatch(&dispatch); }

void show_message_box(Fl_Window& owner, const std::string& title, const std::string& text) {
  const std::string shown = shorten_quotes(text);
  // The text's own width up to a readable measure, never wider than the
  // screen; long lines wrap at blanks, and what cannot wrap is cut off.
  fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
  const int widest = Fl::w() - 4 * kMargin;
  int text_w = 0, text_h = 0;
  fl_measure(shown.c_str(), text_w, text_h, 0);
  text_w = std::clamp(text_w, kButtonWidth, std::min(kWidestText, widest));
  text_h = 0;
  // A word wider than the measure widens it.
  fl_measure(shown.c_str(), text_w, text_h, 0);
  text_w = std::min(text_w, widest);
  text_h = std::min(text_h, Fl::h() / 2);

  const int w = text_w + 2 * kMargin;
  const int h = text_h + kButtonHeight + 3 * kMargin;
  Fl_Window box(w, h, title.c_str());
  Fl_Box label(kMargin, kMargin, text_w, text_h);
  label.copy_label(shown.c_str());
  label.align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT | FL_ALIGN_WRAP | FL_ALIGN_CLIP);
  label.labelsize(FL_NORMAL_SIZE);
  Fl_Return_Button ok(w - kMargin - kButtonWidth, h - kMargin - kButtonHeight, kButtonWidth,
                      kButtonHeight, "OK");
  ok.callback(&dismiss);
  box.end();
  box.set_modal();
  box.position(owner.x() + (owner.w() - w) / 2, owner.y() + (owner.h() - h) / 2);
  box.show();
  while (box.shown() && owner.shown()) Fl::wait();
  box.hide();
}

}  // namespace toolkit::fltk
