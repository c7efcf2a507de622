#pragma once
// The message box of the FLTK toolkit. FLTK's own (fl_alert) is as wide as
// its longest line and drops a close request to any other window while it
// is up; this one wraps its text within the screen, and the form's close
// request reaches the form.

#include <string>

class Fl_Window;

namespace toolkit::fltk {

// Lets a close request reach its window while a message box is up; once,
// before the first window is shown.
void deliver_close_requests_past_message_boxes();

// Shows `text` in a box titled `title` above `owner` and returns once the
// user has dismissed it, or once `owner` has been closed meanwhile.
void show_message_box(Fl_Window& owner, const std::string& title, const std::string& text);

}  // namespace toolkit::fltk
