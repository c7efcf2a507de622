// The model folder given on the command line: listed whatever its name or
// size; one that is missing, a file, or unreadable is named with the reason
// and the program's own folder is listed instead; help and refusals.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/form1.h"
#include "editions/editions.h"
#include "platform/runtime/program_folder.h"
#include "platform/runtime/utf8_path.h"
#include "platform/toolkit/headless_toolkit.h"
#include "tests/platform_support.h"

namespace {

namespace fs = std::filesystem;

class CommandLineTest : public testing::Test {
 protected:
  CommandLineTest() {
    // In the system's temporary folder, not the build's: the reader may run
    // as nobody, who must reach it, and the build may lie in a folder that is
    // its owner's alone. A random number keeps side-by-side runs apart.
    dir_ = fs::temp_directory_path() /
           ("kelvo_command_line_" + std::to_string(std::random_device{}()) + "_" +
            std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    // Open to every user, as the reader may run as nobody.
    fs::permissions(dir_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
  }
  ~CommandLineTest() override {
    std::error_code ignored;
    fs::permissions(dir_ / "locked", fs::perms::owner_all, ignored);
    fs::remove_all(dir_, ignored);
  }
  app::CommandLine read(const std::vector<fs::path>& arguments) {
    return app::read_command_line(editions::edition8(), arguments);
  }
  static void write_model(const fs::path& file, int triangles) {
    std::ofstream out(file, std::ios::binary);
    for (int i = 0; i < triangles * 9; ++i) out << i % 50 << "\r\n";
  }

  fs::path dir_;
};

TEST_F(CommandLineTest, WithoutAnArgumentTheWorkingFolderIsListed) {
  const app::CommandLine line = read({});
  EXPECT_EQ(line.action, app::CommandLine::Action::OpenWindow);
  EXPECT_EQ(line.model_folder, fs::current_path());
  EXPECT_EQ(line.message, "");
}

TEST_F(CommandLineTest, AFolderIsListedWhateverItsNameAndHowManyModelsItHolds) {
  // Spaces and letters beyond ASCII in the folder and the models' names,
  // given as a relative path as a user types it, with hundreds of models.
  // A u8 literal: a plain one would be taken in the system's code page on
  // Windows.
  const fs::path folder = dir_ / u8"my models ÄÖÜ ñ 模型";
  fs::create_directories(folder);
  for (int i = 0; i < 400; ++i) write_model(folder / ("m" + std::to_string(1000 + i) + ".atl"), 1);
  write_model(folder / u8"Würfel mit Ösen.atl", 3);
  std::ofstream(folder / "notes.txt") << "not a model";

  // On Windows the temporary folder may lie on another drive than the
  // working folder, and then no relative path leads there.
  const fs::path typed = fs::relative(folder).empty() ? folder : fs::relative(folder);
  const app::CommandLine line = read({typed});
  EXPECT_EQ(line.action, app::CommandLine::Action::OpenWindow);
  EXPECT_EQ(line.model_folder, folder);
  EXPECT_EQ(line.message, "");

  toolkit::HeadlessToolkit toolkit;
  app::Form1 form(editions::edition8(), toolkit, runtime::utf8_of(line.model_folder));
  form.File1.Refresh();
  const std::vector<std::string>& items = form.File1.items();
  ASSERT_EQ(items.size(), 401u);
  EXPECT_EQ(items.front(), "m1000.atl");
  EXPECT_EQ(items.back(), "Würfel mit Ösen.atl");
  // The loader opens the listed name in the listed folder.
  toolkit.at_frame_end = [&form](long frame) {
    if (frame == 1) form.form.user_close();
  };
  form.File1.user_click(400);
  EXPECT_EQ(form.form.Caption(), "3");
  EXPECT_TRUE(toolkit.messages().empty());
}

TEST_F(CommandLineTest, AFolderThatCannotBeListedIsNamedAndTheProgramsOwnIsListed) {
  const std::string why_other = test_support::why_reasons_differ();
  if (!why_other.empty()) GTEST_SKIP() << why_other;
  write_model(dir_ / "a model.atl", 1);
  fs::create_directories(dir_ / "locked");
  fs::permissions(dir_ / "locked", fs::perms::none);
  const fs::path own = runtime::program_folder();
  ASSERT_EQ(own, fs::path(KELVO_BINARY_DIR) / "bin");

  const struct {
    fs::path argument;
    std::string reason;
  } cases[] = {
      {dir_ / "no such folder", "No such file or directory"},
      {dir_ / "a model.atl", "Not a directory"},
      {dir_ / "locked", "Permission denied"},
      {"", "Invalid argument"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.argument);
    app::CommandLine line;
    EXPECT_TRUE(test_support::as_ordinary_user([&] { line = read({c.argument}); }));
    EXPECT_EQ(line.action, app::CommandLine::Action::OpenWindow);
    EXPECT_EQ(line.model_folder, own);
    EXPECT_EQ(line.message, "kelvo8: cannot list the models in '" + c.argument.string() +
                                "': " + c.reason + "; listing those in '" + own.string() +
                                "' instead.\n");
  }
}

TEST_F(CommandLineTest, HelpIsShownAndOtherOptionsOrMoreFoldersAreRefused) {
  const app::CommandLine help = read({"--help"});
  EXPECT_EQ(help.action, app::CommandLine::Action::ShowHelp);
  EXPECT_EQ(help.exit_code(), 0);
  EXPECT_EQ(help.message.rfind("Usage: kelvo8 [FOLDER]\n", 0), 0u) << help.message;

  const app::CommandLine option = read({"--fullscreen"});
  EXPECT_EQ(option.action, app::CommandLine::Action::Refuse);
  EXPECT_EQ(option.exit_code(), 2);
  EXPECT_EQ(option.message, "kelvo8: unknown option '--fullscreen'\nTry kelvo8 --help.\n");

  const app::CommandLine two = read({dir_, dir_});
  EXPECT_EQ(two.action, app::CommandLine::Action::Refuse);
  EXPECT_EQ(two.message, "kelvo8: takes one model folder, not 2 arguments\nTry kelvo8 --help.\n");

  // A folder whose name starts with a dash, written so that it is no option.
  fs::create_directories(dir_ / "-models");
  EXPECT_EQ(read({dir_ / "-models"}).model_folder, dir_ / "-models");
}

}  // namespace
