#pragma once
// Sequential text input by line. A line ends at a carriage return or at a
// carriage return followed by a line feed; a line feed alone is part of the
// line. Text after the last terminator is a last line when it is not empty.
//
// Lines are handed out in pieces from a buffer of fixed size, so a line of
// any length reads in bounded memory.

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace runtime {

class TextInput {
 public:
  // Throws std::runtime_error naming the file and the reason when it cannot
  // be opened or is not a regular file.
  explicit TextInput(const std::string& path);
  ~TextInput();
  TextInput(const TextInput&) = delete;
  TextInput& operator=(const TextInput&) = delete;

  bool eof() { return next_ == end_ && !fill(); }

  // Hands the next line, without its terminator, to piece(std::string_view)
  // in one or more pieces, none of them empty; an empty line calls it not at
  // all. Throws std::runtime_error when the file cannot be read on.
  template <class Piece>
  void read_line(Piece&& piece);

  // The next line as one string, for small files.
  void read_line(std::string& line) {
    line.clear();
    read_line([&](std::string_view part) { line.append(part); });
  }

 private:
  // Reads the next part of the file into the buffer; false at its end.
  bool fill();

  static constexpr std::size_t kBufferSize = 64 * 1024;
  std::string path_;
  std::unique_ptr<char[]> buffer_;
  std::FILE* file_ = nullptr;
  const char* next_ = nullptr;
  const char* end_ = nullptr;
};

template <class Piece>
void TextInput::read_line(Piece&& piece) {
  for (;;) {
    if (next_ == end_ && !fill()) return;
    const auto* cr =
        static_cast<const char*>(std::memchr(next_, '\r', static_cast<std::size_t>(end_ - next_)));
    if (cr == nullptr) {
      piece(std::string_view(next_, static_cast<std::size_t>(end_ - next_)));
      next_ = end_;
      continue;
    }
    if (cr != next_) piece(std::string_view(next_, static_cast<std::size_t>(cr - next_)));
    next_ = cr + 1;
    // The line feed of a CR LF pair may begin the next buffer.
    if (next_ == end_ && !fill()) return;
    if (*next_ == '\n') ++next_;
    return;
  }
}

}  // namespace runtime
