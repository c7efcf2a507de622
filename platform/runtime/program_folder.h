#pragma once
// Where the running program's own file lies: the folder a program with a
// window falls back on when the folder it was given cannot be listed.

#include <filesystem>

namespace runtime {

// The folder holding the running program's executable, absolute; empty when
// the system does not say.
std::filesystem::path program_folder();

}  // namespace runtime
