#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "platform/runtime/open_regular_file.h"
#include "platform/runtime/utf8_path.h"

namespace runtime {

std::FILE* open_regular_file(const std::string& path) {
  const auto cannot_open = [&](const std::string& reason) {
    return std::runtime_error("Cannot open \"" + path + "\": " + reason);
  };
  // Windows has no fifos in folders, so nothing here can wait. The wide name
  // reaches every file, whatever the system's code page.
  const std::filesystem::path name = path_of(path);
  std::FILE* file = _wfopen(name.c_str(), L"rb");
  if (file == nullptr) {
    // Opening a folder fails with "Permission denied" here; say what Linux says.
    std::error_code ignored;
    if (std::filesystem::is_directory(name, ignored)) throw cannot_open("not a regular file");
    throw cannot_open(std::strerror(errno));
  }
  struct _stat64 info {};
  if (_fstat64(_fileno(file), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) {
    std::fclose(file);
    throw cannot_open("not a regular file");
  }
  return file;
}

}  // namespace runtime
