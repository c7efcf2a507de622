// Files on Windows. Names are UTF-8 inside the program and reach the system
// as UTF-16, so that a name outside the system's code page still opens.

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "platform/runtime/file_access.h"
#include "platform/runtime/utf8_path.h"

namespace runtime {

namespace {

// The C streams start in text mode, which writes "\r\n" for every "\n":
// the dumps and messages would differ from Linux's byte for byte.
const bool binary_standard_streams = [] {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  return true;
}();

std::wstring wide_name(const std::string& path) { return path_of(path).wstring(); }

// The C library's error number for a system error, for the messages.
int error_number(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    default: return EIO;
  }
}

// CON, NUL, COM1 ... are devices in every folder, with any extension.
bool is_device_name(const std::string& path) {
  const std::string name = utf8_of(path_of(path).filename());
  std::string stem = name.substr(0, name.find('.'));
  for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
  return stem.size() == 4 && (stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

std::FILE* open_regular_file(const std::string& path) {
  const auto cannot_open = [&](const std::string& reason) {
    return std::runtime_error("Cannot open \"" + path + "\": " + reason);
  };
  // Windows has no fifos in folders, so nothing opened here can wait.
  std::error_code ignored;
  if (std::filesystem::is_directory(path_of(path), ignored)) throw cannot_open("it is a folder");
  if (is_device_name(path)) throw cannot_open("not a regular file");
  std::FILE* file = _wfopen(wide_name(path).c_str(), L"rb");
  if (file == nullptr) throw cannot_open(std::strerror(errno));
  struct _stat64 info {};
  if (_fstat64(_fileno(file), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) {
    std::fclose(file);
    throw cannot_open("not a regular file");
  }
  return file;
}

OutputPlace find_output_place(const std::string& path) {
  if (is_device_name(path)) return {OutputPlace::Kind::Stream, path};
  std::error_code error;
  const std::filesystem::path name = path_of(path);
  // A link is followed to the file it leads to, which is the one replaced.
  std::filesystem::path end = name;
  for (int hop = 0; hop < 40 && std::filesystem::is_symlink(end, error); ++hop) {
    const std::filesystem::path next = std::filesystem::read_symlink(end, error);
    if (error) break;
    end = next.is_absolute() ? next : end.parent_path() / next;
  }
  const std::filesystem::file_status status = std::filesystem::status(name, error);
  if (std::filesystem::is_directory(status)) return {OutputPlace::Kind::Folder, path};
  if (!std::filesystem::exists(status) || std::filesystem::is_regular_file(status)) {
    return {OutputPlace::Kind::File, utf8_of(end)};
  }
  return {OutputPlace::Kind::Stream, path};
}

std::FILE* open_stream(const OutputPlace& place) {
  return _wfopen(wide_name(place.target).c_str(), L"wb");
}

std::FILE* create_temporary_beside(const std::string& target, std::string& temporary) {
  // A new name that nobody else can have taken meanwhile: created only if it
  // does not exist, tried again with another ending if it does.
  static unsigned counter = 0;
  const unsigned seed = GetCurrentProcessId() * 2654435761u ^ GetTickCount();
  for (int attempt = 0; attempt < 100; ++attempt) {
    char ending[16];
    std::snprintf(ending, sizeof ending, ".%06x", (seed + ++counter * 40503u) & 0xFFFFFFu);
    temporary = target + ending;
    HANDLE handle = CreateFileW(wide_name(temporary).c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
      errno = error_number(error);
      return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY | _O_WRONLY);
    std::FILE* file = fd >= 0 ? _fdopen(fd, "wb") : nullptr;
    if (file == nullptr) {
      const int error = errno;
      if (fd >= 0) {
        _close(fd);
      } else {
        CloseHandle(handle);
      }
      remove_file(temporary);
      errno = error;
    }
    return file;
  }
  errno = EEXIST;
  return nullptr;
}

// C's rename fails when the target exists; this replaces it in one step.
int replace_file(const std::string& temporary, const std::string& target) {
  if (MoveFileExW(wide_name(temporary).c_str(), wide_name(target).c_str(),
                  MOVEFILE_REPLACE_EXISTING) != 0) {
    return 0;
  }
  return error_number(GetLastError());
}

void remove_file(const std::string& path) { _wremove(wide_name(path).c_str()); }

}  // namespace runtime
