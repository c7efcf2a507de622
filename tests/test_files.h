#pragma once
// Files for tests: reading one whole, and running a generator of committed
// files into a scratch folder to compare its output with them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// The whole file, byte for byte; empty when it cannot be read.
inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs the built program bin/`generator` with a fresh scratch folder as its
// argument and returns the folder, where the generated files are.
inline std::string run_generator(const std::string& generator) {
  const std::string out = testing::TempDir() + generator;
  std::filesystem::remove_all(out);
  std::filesystem::create_directories(out);
  const std::string command = std::string(KELVO_BINARY_DIR) + "/bin/" + generator + " " + out;
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return out;
}
