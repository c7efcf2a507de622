#include "app/command_line.h"

#include <system_error>

#include "platform/runtime/program_folder.h"

namespace app {

namespace {

std::string help_text(const editions::EditionConfig& edition) {
  const std::string program(edition.program);
  return "Usage: " + program + " [FOLDER]\n\n" +  //
         "Edition " + std::to_string(edition.number) +
         " of kelvo, a software 3D renderer. Click a model in the list and it\n"
         "spins; the check boxes switch the stages of the pipeline on and off.\n\n"
         "  FOLDER   list the .atl models in FOLDER; without it, those in the folder\n"
         "           the program is started in (the installed " + program + " command\n"
         "           gives it the folder of the sample models)\n"
         "  --help   show this text\n\n"
         "A folder that cannot be listed is named with the reason, and the models\n"
         "beside the program are listed instead. atl-import converts OBJ, STL, PLY\n"
         "and other models into .atl files (atl-import --help).\n";
}

CommandLine refuse(const editions::EditionConfig& edition, const std::string& why) {
  const std::string program(edition.program);
  return {.action = CommandLine::Action::Refuse,
          .message = program + ": " + why + "\nTry " + program + " --help.\n"};
}

// Why the folder cannot be listed, in the system's words; empty when it can.
std::string why_not_listable(const std::filesystem::path& folder) {
  std::error_code error;
  const std::filesystem::directory_iterator probe(folder, error);
  return error ? error.message() : std::string();
}

std::filesystem::path working_folder() {
  std::error_code error;
  return std::filesystem::current_path(error);
}

// The program's own folder, where the samples lie; the working folder when
// the system does not say where the program is.
std::filesystem::path fallback_folder() {
  std::filesystem::path folder = runtime::program_folder();
  return folder.empty() ? working_folder() : folder;
}

}  // namespace

CommandLine read_command_line(const editions::EditionConfig& edition,
                              std::span<const std::filesystem::path> arguments) {
  if (arguments.empty()) return {.model_folder = working_folder()};
  const std::filesystem::path& argument = arguments.front();
  if (argument == "--help" || argument == "-h") {
    return {.action = CommandLine::Action::ShowHelp, .message = help_text(edition)};
  }
  if (arguments.size() > 1) {
    return refuse(edition, "takes one model folder, not " + std::to_string(arguments.size()) +
                               " arguments");
  }
  // A folder whose name starts with '-' can still be given as ./-name.
  if (!argument.empty() && argument.native().front() == '-') {
    return refuse(edition, "unknown option '" + argument.string() + "'");
  }

  std::error_code error;
  std::filesystem::path folder = std::filesystem::absolute(argument, error);
  const std::string why = error ? error.message() : why_not_listable(folder);
  if (why.empty()) return {.model_folder = folder.lexically_normal()};
  folder = fallback_folder();
  return {.model_folder = folder,
          .message = std::string(edition.program) + ": cannot list the models in '" +
                     argument.string() + "': " + why + "; listing those in '" + folder.string() +
                     "' instead.\n"};
}

}  // namespace app
