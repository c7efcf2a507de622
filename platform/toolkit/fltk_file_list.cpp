#include "platform/toolkit/fltk_file_list.h"

#include <FL/Fl_Hold_Browser.H>

#include "platform/toolkit/message_text.h"

namespace toolkit::fltk {

FileListView::FileListView(FileListBox& list) : BoundView(list), list_(list) {
  const PixelRect r = pixel_rect(list.rect);
  widget_ = new Fl_Hold_Browser(r.x, r.y, r.w, r.h);
  widget_->textsize(kFontSize);
  // A name wider than the list is cut off rather than scrolled sideways; a
  // horizontal bar would hide the last visible name.
  widget_->has_scrollbar(Fl_Browser_::VERTICAL);
  widget_->callback(&FileListView::clicked, this);
  control_changed();
}

void FileListView::control_changed() {
  if (shown_ != list_.items()) {
    shown_ = list_.items();
    widget_->clear();
    // "@." keeps a name that starts with '@' from being read as formatting;
    // control characters would break its line. Clicks go by line number, so
    // the file clicked is the one listed.
    for (const std::string& name : shown_) widget_->add(("@." + printable_name(name)).c_str());
  }
  const int line = list_.ListIndex() + 1;
  if (line >= 1 && line <= widget_->size()) {
    widget_->select(line);
  } else {
    widget_->deselect();
  }
}

void FileListView::clicked(Fl_Widget*, void* data) {
  auto* view = static_cast<FileListView*>(data);
  // value() is the 1-based line, 0 when a click below the last name cleared it.
  view->list_.user_click(view->widget_->value() - 1);
  // The model ignores a click on no line, and it does not notify for a
  // user's click: show its selection again.
  view->control_changed();
}

}  // namespace toolkit::fltk
