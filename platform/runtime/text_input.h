#pragma once
// Sequential text input by line. A line ends at a carriage return or at a
// carriage return followed by a line feed; a line feed alone is part of the
// line. Text after the last terminator is a last line when it is not empty.

#include <cstdio>
#include <string>

namespace runtime {

class TextInput {
 public:
  // Throws std::runtime_error naming the file and the reason when it cannot
  // be opened or is not a regular file.
  explicit TextInput(const std::string& path);
  ~TextInput();
  TextInput(const TextInput&) = delete;
  TextInput& operator=(const TextInput&) = delete;

  bool eof();
  // Reads the next line into line (without its terminator).
  void read_line(std::string& line);

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace runtime
