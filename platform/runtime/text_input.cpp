#include "platform/runtime/text_input.h"

#include <cerrno>
#include <stdexcept>

#include "platform/runtime/file_access.h"

namespace runtime {

TextInput::TextInput(const std::string& path)
    : path_(path), buffer_(new char[kBufferSize]), file_(open_regular_file(path)) {
  // Whole buffers are read at a time: a second buffer inside stdio would
  // only copy them once more.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  next_ = end_ = buffer_.get();
}

TextInput::~TextInput() { std::fclose(file_); }

bool TextInput::fill() {
  const std::size_t got = std::fread(buffer_.get(), 1, kBufferSize, file_);
  next_ = buffer_.get();
  end_ = next_ + got;
  if (got == 0 && std::ferror(file_)) {
    throw std::runtime_error("Cannot read \"" + path_ + "\": " + std::strerror(errno));
  }
  return got > 0;
}

}  // namespace runtime
