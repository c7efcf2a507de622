#pragma once
// The platform's side of reading and writing files: what a name stands for,
// and opening it without surprises. Everything above this speaks of files
// through these few calls.

#include <cstdio>
#include <string>

namespace runtime {

// Opens path for reading in binary mode. Throws std::runtime_error naming the
// file and the reason when it cannot be opened or is not a regular file (a
// folder, a device, a fifo). Never waits: a fifo is refused, not waited on.
std::FILE* open_regular_file(const std::string& path);

// What an output name stands for.
struct OutputPlace {
  enum class Kind {
    File,    // a regular file, or a name not taken yet: `target` is replaced
    Stream,  // a device, a fifo or one of the process's own streams
    Folder,  // not something to write to
  };
  Kind kind;
  // For a File, the name to replace: symbolic links followed to the file
  // they lead to, so that the link itself stays. For a Stream, the name.
  std::string target;
  // For a Stream that is one of the process's own open files (standard
  // output named /dev/stdout, a /dev/fd/N of a shell), its descriptor.
  int descriptor = -1;
};
OutputPlace find_output_place(const std::string& path);

// Opens a Stream for writing as it stands. Null with errno set on failure.
std::FILE* open_stream(const OutputPlace& place);

// Creates a new file beside `target`, named after it, open for writing, with
// the permissions `target` has (or a new file gets); its name goes to
// `temporary`. Null with errno set on failure.
std::FILE* create_temporary_beside(const std::string& target, std::string& temporary);

// Gives `temporary` the name `target`, replacing the file of that name in one
// step. The error number, 0 on success.
int replace_file(const std::string& temporary, const std::string& target);

// Removes a file; quietly does nothing when it is gone.
void remove_file(const std::string& path);

}  // namespace runtime
