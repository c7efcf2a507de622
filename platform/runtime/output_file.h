#pragma once
// Where a program's output goes, written so that nothing is lost.
//
// A regular file, or a name not taken yet, is written under a temporary name
// beside it and given its name only once complete: a failed write leaves
// whatever had the name before as it was, and no half file. A symbolic link
// is followed, and the file it leads to is the one replaced. Standard output
// ("-"), a device or a fifo is written as it stands, every write checked,
// and never removed. A folder is refused.

#include <cstdio>
#include <string>
#include <string_view>

namespace runtime {

class OutputFile {
 public:
  // Throws std::runtime_error "cannot write 'PATH': REASON" when the output
  // cannot be opened; every failure below says the same.
  explicit OutputFile(const std::string& path);
  // An output dropped before commit() leaves no temporary file behind.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void write(std::string_view bytes);
  // Flushes and closes the output (standard output is flushed, and closed
  // only by close_standard_output), then gives a temporary file its name.
  void commit();

  const std::string& path() const { return path_; }

 private:
  [[noreturn]] void fail(int error);
  void drop();

  std::string path_;       // as given, for messages
  std::string target_;     // the file a temporary one replaces
  std::string temporary_;  // empty when written as it stands
  int slot_ = -1;          // the temporary file's place in the signal list
  std::FILE* file_ = nullptr;
};

// Flushes and closes standard output at the end of a program; throws
// std::runtime_error with the reason when what was written did not get out.
void close_standard_output();

}  // namespace runtime
