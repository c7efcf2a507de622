// Nothing lost, nothing reported wrongly: kelvo-render's outputs when the
// disk is full, when a name is a link, a device, a fifo or a folder, and
// when the run is ended by a signal.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "tests/png_picture.h"
#include "tests/test_files.h"
#include "tests/tools/run_render.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder of this test's own.
std::string scratch(const std::string& name) {
  const std::string dir = testing::TempDir() + "outputs_" + name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

// Runs a shell command in the folder of the sample models; its exit status.
int shell(const std::string& command) {
  const std::string line =
      "cd " + std::string(KELVO_BINARY_DIR) + "/bin && bash -c '" + command + "'";
  const int status = std::system(line.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool holds_only(const std::string& dir, std::size_t count) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {})) == count;
}

// Every output, each to `path`.
const char* const kOutputs[] = {"--dump-table", "--dump-controls", "--dump-layout",
                                "--snapshot Picture1="};

std::string output_to(const char* option, const std::string& path) {
  const std::string o = option;
  return o.back() == '=' ? o + path : o + " " + path;
}

}  // namespace

TEST(Outputs, AFullDeviceIsAnErrorThatNamesTheFileAndTheReason) {
  const std::string err = testing::TempDir() + "outputs_full_err.txt";
  for (const char* option : kOutputs) {
    const Result r = render("--model torus.atl " + output_to(option, "/dev/full"), err);
    EXPECT_EQ(r.status, 1) << option;
    EXPECT_NE(read_file(err).find("cannot write '/dev/full': No space left on device"),
              std::string::npos)
        << option << ": " << read_file(err);
  }
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
  // Standard output on a full device, for "-" and for the help.
  EXPECT_EQ(shell("./kelvo-render --model cube.atl --dump-table - >/dev/full 2>/dev/null"), 1);
  EXPECT_EQ(shell("./kelvo-render --help >/dev/full 2>/dev/null"), 1);
}

TEST(Outputs, AWriteThatFailsLeavesTheOlderFileAndNoTemporaryOne) {
  const std::string dir = scratch("small");
  // Where it can, a small file system, filled up; elsewhere a file size
  // limit of nothing, which fails the writes the same way.
  const bool mounted =
      geteuid() == 0 && mount("none", dir.c_str(), "tmpfs", 0, "size=64k") == 0;
  struct Unmount {
    std::string dir;
    bool mounted;
    ~Unmount() {
      if (mounted) umount(dir.c_str());
    }
  } unmount{dir, mounted};
  const std::string older = dir + "/older";
  std::ofstream(older) << "an older file";
  if (mounted) {
    std::ofstream filler(dir + "/filler", std::ios::binary);
    const std::string block(4096, 'x');
    while (filler.write(block.data(), block.size())) {
    }
  }
  const std::string limit = mounted ? "" : "trap \"\" XFSZ; ulimit -f 0; ";
  const std::string err = testing::TempDir() + "outputs_small_err.txt";
  for (const char* option : kOutputs) {
    EXPECT_EQ(shell(limit + "exec ./kelvo-render --model torus.atl " + output_to(option, older) +
                    " 2>" + err),
              1)
        << option;
    EXPECT_NE(read_file(err).find("cannot write '" + older + "'"), std::string::npos)
        << option << ": " << read_file(err);
    EXPECT_EQ(read_file(older), "an older file") << option;
    EXPECT_TRUE(holds_only(dir, mounted ? 2 : 1)) << option;
  }
  if (!mounted) GTEST_SKIP() << "tested with a file size limit; a full tmpfs needs root";
}

TEST(Outputs, LinksAreFollowedAndWhatIsNoRegularFileIsNeverReplaced) {
  const std::string dir = scratch("names");
  // A link stays a link; the file it leads to gets the picture.
  std::ofstream(dir + "/picture.png") << "older";
  fs::create_symlink("picture.png", dir + "/link.png");
  ASSERT_EQ(render("--snapshot Picture1=" + dir + "/link.png").status, 0);
  EXPECT_TRUE(fs::is_symlink(dir + "/link.png"));
  EXPECT_EQ(read_png(dir + "/picture.png").width, 317u);
  EXPECT_TRUE(holds_only(dir, 2));

  // A folder is refused with a message.
  const std::string err = dir + "/../outputs_names_err.txt";
  EXPECT_EQ(render("--dump-table " + dir, err).status, 1);
  EXPECT_NE(read_file(err).find("it is a folder"), std::string::npos) << read_file(err);

  // A fifo is written as it stands, to whoever reads it.
  ASSERT_EQ(mkfifo((dir + "/fifo").c_str(), 0600), 0);
  EXPECT_EQ(shell("cat " + dir + "/fifo >" + dir + "/read.txt & ./kelvo-render --model cube.atl "
                  "--dump-controls " + dir + "/fifo; wait"),
            0);
  EXPECT_NE(read_file(dir + "/read.txt").find("Form1.Caption=12\n"), std::string::npos);
  EXPECT_TRUE(fs::is_fifo(dir + "/fifo"));

  // The program's own standard output, named, stays the file the shell
  // opened: replacing that file would lose what the shell adds after.
  EXPECT_EQ(shell("{ ./kelvo-render --model cube.atl --dump-controls /dev/stdout; echo after; } >" +
                  dir + "/out.txt"),
            0);
  const std::string out = read_file(dir + "/out.txt");
  EXPECT_NE(out.find("Form1.Caption=12\n"), std::string::npos) << out;
  EXPECT_NE(out.find("after\n"), std::string::npos) << out;

  // A device node of the full kind, made here: written to, failing, and
  // still there afterwards.
  if (geteuid() != 0) GTEST_SKIP() << "making a device node needs root";
  const std::string device = dir + "/full";
  ASSERT_EQ(mknod(device.c_str(), S_IFCHR | 0600, makedev(1, 7)), 0);
  for (const char* option : kOutputs) {
    EXPECT_EQ(render("--model cube.atl " + output_to(option, device)).status, 1) << option;
    EXPECT_TRUE(fs::is_character_file(device)) << option;
  }
}

TEST(Outputs, ASignalRemovesTheTemporaryFilesAndEndsTheRunByIt) {
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    const std::string dir = scratch("signal");
    std::ofstream(dir + "/turn.gif") << "an older turn";
    // A run without end, recording a GIF: its temporary file is there from
    // the start. With job control on, the shell leaves SIGINT to the job.
    const std::string pid_file = dir + "/pid";
    const int status = shell(
        "exec 2>/dev/null; set -m; ./kelvo-render --model cube.atl --set Check12=0 --frames 100000000 --gif " + dir +
        "/turn.gif & echo $! >" + pid_file + "; "
        "for i in $(seq 250); do [ $(ls " + dir + " | wc -l) -gt 2 ] && break; sleep 0.02; done; "
        "kill -" + std::to_string(signal_number) + " $(cat " + pid_file + "); "
        "wait $(cat " + pid_file + ")");
    EXPECT_EQ(status, 128 + signal_number) << signal_number;
    fs::remove(pid_file);
    EXPECT_TRUE(holds_only(dir, 1)) << signal_number;
    EXPECT_EQ(read_file(dir + "/turn.gif"), "an older turn");
  }
}
