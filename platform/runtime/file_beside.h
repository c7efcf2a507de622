#pragma once
// A file written under a temporary name beside the one it is to replace, and
// renamed over it only once complete: a failed write leaves whatever had the
// name before as it was, and no half file.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace runtime {

// Creates `path`.XXXXXX, open for writing, with the permissions a new file
// gets (mkstemp alone keeps it to its owner); puts its name in `temporary`.
// The descriptor, or -1 with errno set.
inline int create_beside(const std::string& path, std::string& temporary) {
  temporary = path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return -1;
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  return fd;
}

}  // namespace runtime
