#include "platform/runtime/open_regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace runtime {

std::FILE* open_regular_file(const std::string& path) {
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
  std::FILE* file = fdopen(fd, "rb");
  if (file == nullptr) {
    const int error = errno;
    close(fd);
    throw cannot_open(std::strerror(error));
  }
  return file;
}

}  // namespace runtime
