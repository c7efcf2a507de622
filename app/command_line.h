#pragma once
// What a program with a window takes from its command line: at most one
// folder, whose models its list shows in place of the working folder's. Every
// platform's entry point reads its arguments through here, so they all
// answer the same arguments the same way.

#include <filesystem>
#include <span>
#include <string>

#include "editions/edition_config.h"

namespace app {

struct CommandLine {
  enum class Action { OpenWindow, ShowHelp, Refuse };
  Action action = Action::OpenWindow;
  // The folder the model list shows, absolute; set for OpenWindow.
  std::filesystem::path model_folder;
  // For the user: the help, why the arguments were refused, or (opening the
  // window) why the folder asked for is not the one listed. Empty when all
  // goes as asked.
  std::string message;
  // The exit code of a program that does not open its window: 0 after the
  // help, 2 for arguments it refused.
  int exit_code() const { return action == Action::Refuse ? 2 : 0; }
};

// Reads the arguments that follow the program's name. None: the working
// folder. One folder: that folder, or, when it cannot be listed, the
// program's own folder with a message naming the one asked for and the
// reason. "--help" shows the help; more arguments or other options are
// refused.
CommandLine read_command_line(const editions::EditionConfig& edition,
                              std::span<const std::filesystem::path> arguments);

}  // namespace app
