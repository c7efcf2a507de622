#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "platform/runtime/file_access.h"

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
    throw cannot_open(S_ISDIR(info.st_mode) ? "it is a folder" : "not a regular file");
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

namespace {

bool starts_with(const std::string& text, const char* prefix) {
  return text.rfind(prefix, 0) == 0;
}

// Where the symbolic link `path` leads, or empty when it is not one.
std::string link_target(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return {};
  std::string target(4096, '\0');
  const ssize_t length = readlink(path.c_str(), target.data(), target.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) return {};
  target.resize(static_cast<std::size_t>(length));
  if (target[0] != '/') {
    // Relative to the folder that holds the link.
    const std::size_t slash = path.rfind('/');
    if (slash != std::string::npos) target = path.substr(0, slash + 1) + target;
  }
  return target;
}

// The descriptor that a name of one of the process's own open files stands
// for, or -1.
int own_descriptor(const std::string& name) {
  if (name == "/dev/stdout") return STDOUT_FILENO;
  if (name == "/dev/stderr") return STDERR_FILENO;
  for (const char* folder : {"/dev/fd/", "/proc/self/fd/"}) {
    if (!starts_with(name, folder)) continue;
    const std::string number = name.substr(std::strlen(folder));
    if (number.empty() || number.size() > 6 ||
        number.find_first_not_of("0123456789") != std::string::npos) {
      return -1;
    }
    return std::stoi(number);
  }
  return -1;
}

}  // namespace

OutputPlace find_output_place(const std::string& path) {
  // The chain of links, to the file at its end. A name on the way that
  // stands for one of the process's own open files is written through that
  // file: opening it anew would start at its beginning, over what the shell
  // wrote, and replacing the file behind it would cut the two apart.
  std::string end = path;
  int descriptor = own_descriptor(end);
  for (int hop = 0; hop < 40 && descriptor < 0; ++hop) {
    std::string next = link_target(end);
    if (next.empty()) break;
    end = std::move(next);
    descriptor = own_descriptor(end);
  }
  if (descriptor >= 0) return {OutputPlace::Kind::Stream, path, descriptor};
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return {OutputPlace::Kind::File, end};
  if (S_ISDIR(info.st_mode)) return {OutputPlace::Kind::Folder, path};
  if (S_ISREG(info.st_mode)) return {OutputPlace::Kind::File, end};
  return {OutputPlace::Kind::Stream, path};
}

std::FILE* open_stream(const OutputPlace& place) {
  if (place.descriptor < 0) return std::fopen(place.target.c_str(), "wb");
  const int fd = fcntl(place.descriptor, F_DUPFD_CLOEXEC, 0);
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) {
    const int error = errno;
    close(fd);
    errno = error;
  }
  return file;
}

std::FILE* create_temporary_beside(const std::string& target, std::string& temporary) {
  temporary = target + ".XXXXXX";
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return nullptr;
  // mkstemp makes the file its owner's alone; it takes the permissions of
  // the file it replaces, or those a new file gets.
  struct stat info {};
  mode_t mode = 0;
  if (stat(target.c_str(), &info) == 0) {
    mode = info.st_mode & 0777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  fchmod(fd, mode);
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) {
    const int error = errno;
    close(fd);
    unlink(temporary.c_str());
    errno = error;
  }
  return file;
}

int replace_file(const std::string& temporary, const std::string& target) {
  return std::rename(temporary.c_str(), target.c_str()) == 0 ? 0 : errno;
}

void remove_file(const std::string& path) { unlink(path.c_str()); }

}  // namespace runtime
