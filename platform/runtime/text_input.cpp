#include "platform/runtime/text_input.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace runtime {

TextInput::TextInput(const std::string& path) {
  const auto cannot_open = [&](const std::string& reason) {
    return std::runtime_error("Cannot open \"" + path + "\": " + reason);
  };
  // Opened without waiting, then looked at: a fifo opened the usual way
  // waits for a writer, and a directory fails only once read. What is looked
  // at is what was opened, even if the name has changed hands meanwhile.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw cannot_open(std::strerror(errno));
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    throw cannot_open("not a regular file");
  }
  // Reads of a regular file never wait, whatever the flag says.
  file_ = fdopen(fd, "rb");
  if (file_ == nullptr) {
    const int error = errno;
    close(fd);
    throw cannot_open(std::strerror(error));
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
