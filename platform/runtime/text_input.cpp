#include "platform/runtime/text_input.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <sys/stat.h>

namespace runtime {

TextInput::TextInput(const std::string& path) {
  struct stat info {};
  // A directory or a fifo would open, then fail or block while reading.
  if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    throw std::runtime_error("Cannot open \"" + path + "\": not a regular file");
  }
  file_ = std::fopen(path.c_str(), "rb");
  if (file_ == nullptr) {
    throw std::runtime_error("Cannot open \"" + path + "\": " + std::strerror(errno));
  }
}

TextInput::~TextInput() {
  if (file_ != nullptr) std::fclose(file_);
}

bool TextInput::eof() {
  const int c = std::getc(file_);
  if (c == EOF) return true;
  std::ungetc(c, file_);
  return false;
}

void TextInput::read_line(std::string& line) {
  line.clear();
  for (int c; (c = std::getc(file_)) != EOF;) {
    if (c == '\r') {
      const int after = std::getc(file_);
      if (after != '\n' && after != EOF) std::ungetc(after, file_);
      return;
    }
    line += static_cast<char>(c);
  }
}

}  // namespace runtime
