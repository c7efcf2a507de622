#include <windows.h>

#include <string>

#include "platform/runtime/program_folder.h"

namespace runtime {

std::filesystem::path program_folder() {
  // The long form of the name, however long it is.
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return {};
    if (length < name.size()) {
      name.resize(length);
      break;
    }
    name.resize(name.size() * 2);
  }
  return std::filesystem::path(name).parent_path();
}

}  // namespace runtime
