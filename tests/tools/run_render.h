#pragma once
// Running the built kelvo-render from a test, in the folder of the sample
// models, as a user's shell would.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

struct Result {
  int status;
  std::string out;
};

// Runs kelvo-render with `args` (shell words), standard error to `err`;
// returns its exit status (-1 when it did not exit) and standard output.
inline Result render(const std::string& args, const std::string& err = "/dev/null") {
  const std::string bin = std::string(KELVO_BINARY_DIR) + "/bin";
  const std::string command = "cd " + bin + " && ./kelvo-render " + args + " 2>" + err;
  Result r{-1, {}};
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return r;
  std::array<char, 4096> buffer;
  for (std::size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
    r.out.append(buffer.data(), n);
  }
  const int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}
