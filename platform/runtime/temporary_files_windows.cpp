#include <windows.h>

#include "platform/runtime/temporary_files.h"
#include "platform/runtime/temporary_files_list.h"
#include "platform/runtime/utf8_path.h"

namespace runtime {

namespace {

void remove_file_named(const char* path) { DeleteFileW(path_of(path).c_str()); }

// Ctrl+C, Ctrl+Break or the console closing: Windows runs this on a thread
// of its own; returning FALSE lets the default handler end the process.
BOOL WINAPI remove_and_end(DWORD) {
  remove_registered_files(&remove_file_named);
  return FALSE;
}

}  // namespace

void remove_temporary_files_on_signals() { SetConsoleCtrlHandler(&remove_and_end, TRUE); }

}  // namespace runtime
