#pragma once
// A file list box: the names in one folder that match a pattern, sorted.

#include <functional>
#include <string>
#include <vector>

#include "platform/toolkit/controls.h"

namespace toolkit {

class FileListBox : public Control {
 public:
  using Control::Control;

  std::string Pattern = "*.*";
  // The folder listed, absolute.
  std::string Path;
  // Lists the regular files of Path whose names match Pattern, ignoring case,
  // in case-insensitive order. An unreadable folder lists nothing.
  void Refresh();

  const std::vector<std::string>& items() const { return items_; }
  // The selected line, -1 for none.
  int ListIndex() const { return list_index_; }
  // The selected name, without folder; empty when none is selected.
  std::string FileName() const;

  // The user clicks line index.
  void user_click(int index);
  std::function<void()> on_click;

 private:
  std::vector<std::string> items_;
  int list_index_ = -1;
};

// "*" any run of characters, "?" any one, anything else itself, ignoring case.
bool matches_pattern(const std::string& name, const std::string& pattern);

}  // namespace toolkit
