#include <signal.h>
#include <unistd.h>

#include "platform/runtime/temporary_files.h"
#include "platform/runtime/temporary_files_list.h"

namespace runtime {

namespace {

void unlink_file(const char* path) { unlink(path); }

void remove_and_end(int signal_number) {
  remove_registered_files(&unlink_file);
  // The handler was reset to the default on entry, so this ends the process.
  raise(signal_number);
}

}  // namespace

void remove_temporary_files_on_signals() {
  struct sigaction action {};
  action.sa_handler = &remove_and_end;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND | SA_NODEFER;
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    // A signal ignored from the start stays ignored: nohup and background
    // jobs of a shell rely on it.
    struct sigaction before {};
    if (sigaction(signal_number, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    sigaction(signal_number, &action, nullptr);
  }
}

}  // namespace runtime
