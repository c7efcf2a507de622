#include "platform/toolkit/file_list_box.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/runtime/utf8_path.h"

namespace toolkit {

namespace {

char fold(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool matches_from(const std::string& name, std::size_t n, const std::string& pattern,
                  std::size_t p) {
  for (; p < pattern.size(); ++p, ++n) {
    if (pattern[p] == '*') {
      for (std::size_t rest = n; rest <= name.size(); ++rest) {
        if (matches_from(name, rest, pattern, p + 1)) return true;
      }
      return false;
    }
    if (n >= name.size()) return false;
    if (pattern[p] != '?' && fold(pattern[p]) != fold(name[n])) return false;
  }
  return n == name.size();
}

bool less_ignoring_case(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return fold(x) < fold(y); });
}

}  // namespace

bool matches_pattern(const std::string& name, const std::string& pattern) {
  return matches_from(name, 0, pattern, 0);
}

void FileListBox::Refresh() {
  items_.clear();
  list_index_ = -1;
  std::error_code error;
  for (std::filesystem::directory_iterator it(runtime::path_of(Path), error), end;
       !error && it != end; it.increment(error)) {
    const std::string name = runtime::utf8_of(it->path().filename());
    if (it->is_regular_file(error) && matches_pattern(name, Pattern)) items_.push_back(name);
  }
  std::sort(items_.begin(), items_.end(), less_ignoring_case);
  changed();
}

std::string FileListBox::FileName() const {
  if (list_index_ < 0 || list_index_ >= static_cast<int>(items_.size())) return {};
  return items_[static_cast<std::size_t>(list_index_)];
}

void FileListBox::user_click(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  list_index_ = index;
  if (on_click) on_click();
}

}  // namespace toolkit
