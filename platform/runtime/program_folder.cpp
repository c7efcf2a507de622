#include "platform/runtime/program_folder.h"

namespace runtime {

std::filesystem::path program_folder() {
  // Linux names the running program's file in /proc. argv[0] is no guide: a
  // command found through PATH arrives without its folder.
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || !self.is_absolute()) return {};
  return self.parent_path();
}

}  // namespace runtime
