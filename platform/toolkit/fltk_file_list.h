#pragma once
// The view of a file list box: the names the model has listed, one a line.

#include <string>
#include <vector>

#include "platform/toolkit/file_list_box.h"
#include "platform/toolkit/fltk_view.h"

class Fl_Hold_Browser;

namespace toolkit::fltk {

class FileListView : public BoundView {
 public:
  explicit FileListView(FileListBox& list);
  void control_changed() override;

 private:
  static void clicked(Fl_Widget* widget, void* view);
  FileListBox& list_;
  Fl_Hold_Browser* widget_;
  std::vector<std::string> shown_;  // what the browser lists, to refill it only on change
};

}  // namespace toolkit::fltk
