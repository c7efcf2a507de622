#include "platform/runtime/text_input.h"

#include "platform/runtime/open_regular_file.h"

namespace runtime {

TextInput::TextInput(const std::string& path) : file_(open_regular_file(path)) {}

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
