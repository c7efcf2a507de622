#include "platform/runtime/output_file.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "platform/runtime/file_access.h"
#include "platform/runtime/temporary_files.h"

namespace runtime {

namespace {

std::runtime_error cannot_write(const std::string& path, const std::string& reason) {
  return std::runtime_error("cannot write '" + path + "': " + reason);
}

// A stream can fail without an error number, as when an earlier write of
// someone else's left its error flag set.
std::string reason(int error) { return error != 0 ? std::strerror(error) : "the output failed"; }

}  // namespace

OutputFile::OutputFile(const std::string& path) : path_(path) {
  if (path == "-") {
    file_ = stdout;
    return;
  }
  const OutputPlace place = find_output_place(path);
  switch (place.kind) {
    case OutputPlace::Kind::Folder:
      throw cannot_write(path, "it is a folder");
    case OutputPlace::Kind::Stream:
      file_ = open_stream(place);
      break;
    case OutputPlace::Kind::File:
      target_ = place.target;
      file_ = create_temporary_beside(target_, temporary_);
      if (file_ != nullptr) slot_ = register_temporary_file(temporary_);
      break;
  }
  if (file_ == nullptr) throw cannot_write(path, reason(errno));
}

OutputFile::~OutputFile() { drop(); }

// Closes whatever is still open and removes a temporary file, quietly: the
// output has failed already, or is being abandoned.
void OutputFile::drop() {
  if (file_ != nullptr && file_ != stdout) std::fclose(file_);
  file_ = nullptr;
  if (!temporary_.empty()) {
    remove_file(temporary_);
    release_temporary_file(slot_);
    temporary_.clear();
  }
}

void OutputFile::fail(int error) {
  drop();
  throw cannot_write(path_, reason(error));
}

void OutputFile::write(std::string_view bytes) {
  if (file_ == nullptr) throw cannot_write(path_, "it is already closed");
  if (bytes.empty()) return;
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) fail(errno);
}

void OutputFile::commit() {
  if (file_ == nullptr) throw cannot_write(path_, "it is already closed");
  errno = 0;
  if (file_ == stdout) {
    // Standard output stays open for whatever comes after.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) fail(errno);
    file_ = nullptr;
    return;
  }
  const bool flushed = std::fflush(file_) == 0 && !std::ferror(file_);
  int error = errno;
  const bool closed = std::fclose(file_) == 0;
  if (flushed) error = errno;
  file_ = nullptr;
  if (!flushed || !closed) fail(error);
  if (temporary_.empty()) return;
  if (const int replaced = replace_file(temporary_, target_); replaced != 0) fail(replaced);
  release_temporary_file(slot_);
  temporary_.clear();
}

void close_standard_output() {
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0 && !std::ferror(stdout);
  const int error = errno;
  if (std::fclose(stdout) != 0 || !flushed) {
    throw std::runtime_error("cannot write to standard output: " + reason(flushed ? errno : error));
  }
}

}  // namespace runtime
