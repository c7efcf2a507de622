// kelvo-render's contract: options, outputs and exit codes.

#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace {

struct Result {
  int status;
  std::string out;
};

// Runs kelvo-render in the folder of the sample models, standard error to `err`.
Result render(const std::string& args, const std::string& err = "/dev/null") {
  const std::string bin = std::string(KELVO_BINARY_DIR) + "/bin";
  const std::string command = "cd " + bin + " && ./kelvo-render " + args + " 2>" + err;
  Result r{-1, {}};
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return r;
  std::array<char, 4096> buffer;
  for (std::size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) r.out.append(buffer.data(), n);
  const int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

TEST(KelvoRender, DumpsTheLoadedTableAndTheControls) {
  const Result r = render("--model cube.atl --frames 0 --dump-table - --dump-controls -");
  ASSERT_EQ(r.status, 0);
  const auto lines = split_lines(r.out);
  ASSERT_GE(lines.size(), 13u + 36u);
  for (int row = 0; row <= 12; ++row) {
    std::istringstream cells(lines[static_cast<std::size_t>(row)]);
    int count = 0;
    for (std::string cell; cells >> cell;) ++count;
    EXPECT_EQ(count, 37) << "row " << row;
  }
  EXPECT_EQ(lines[1].substr(0, 12), "0 -50 -50 -5");
  EXPECT_EQ(lines[13], "Form1.Caption=12");
  EXPECT_NE(r.out.find("\nCheck21=1\nOption1=1\nOption2=0\nHScroll1=0\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nHScroll5=400\nText1=0\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nText7=Text7\n"), std::string::npos);
}

TEST(KelvoRender, NothingRunsWithoutAModelOrStart) {
  const Result r = render("--frames 5 --dump-table - --dump-controls -");
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.out.find("Form1.Caption=Form1\n"), 0u);
  EXPECT_NE(r.out.find("Text1=0\n"), std::string::npos);
}

TEST(KelvoRender, FramesAndTicksFollowTheContract) {
  // Ticks at frames 2 and 4; the tick of frame 4 comes before the end.
  Result r = render("--start --frames 5 --tick-every 2 --dump-controls -");
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Text1=1\nText2=2\n"), std::string::npos) << r.out;
  r = render("--start --frames 4 --tick-every 2 --dump-controls -");
  EXPECT_NE(r.out.find("Text1=0\nText2=2\n"), std::string::npos) << r.out;
  r = render("--model torus.atl --frames 10 --tick-every 10 --dump-controls -");
  EXPECT_NE(r.out.find("Text5=100\n"), std::string::npos) << r.out;  // 10 * 1000 / 100
}

TEST(KelvoRender, AppliesSettingsInOrder) {
  const Result r = render(
      "--set Check1=0 --set Check19=2 --set Option2=1 --set HScroll4=10 --set \"Text4=a b\" "
      "--set Check1=1 --model cube.atl --frames 0 --dump-table - --dump-controls -");
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\nCheck1=1\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nCheck19=2\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nOption1=0\nOption2=1\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nText4=a b\n"), std::string::npos);
  EXPECT_NE(r.out.find("\n0 -500 -500 -500 "), std::string::npos);  // zoom 10
}

TEST(KelvoRender, BadOptionsExitWithTwo) {
  for (const char* args : {"--frobnicate", "--set Check99=1", "--set Check1=3", "--set Option1=2",
                           "--set HScroll5=49", "--set HScroll4=x", "--set Label1=x",
                           "--set Check1", "--frames -1", "--frames", "--edition 11",
                           "--model cube.atl --start", "--snapshot Text1=x.png"}) {
    EXPECT_EQ(render(args).status, 2) << args;
  }
  const Result help = render("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--dump-table"), std::string::npos);
}

TEST(KelvoRender, ReportedErrorsExitWithOneAndStillDump) {
  const std::string err = testing::TempDir() + "kelvo_render_err.txt";
  Result r = render("--model no-such-model.atl --dump-controls -", err);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(read_file(err).find("no-such-model.atl"), std::string::npos);
  EXPECT_NE(r.out.find("Form1.Caption=Form1"), std::string::npos);

  r = render("--set Text1=abc --start --dump-controls -", err);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(read_file(err).find("Text1 holds \"abc\""), std::string::npos);
  EXPECT_NE(r.out.find("Text1=abc"), std::string::npos);
}

TEST(KelvoRender, SnapshotsAreThePictureBoxImageAsPng) {
  const std::string path = testing::TempDir() + "picture1.png";
  std::remove(path.c_str());
  ASSERT_EQ(render("--snapshot Picture1=" + path).status, 0);

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
  EXPECT_EQ(image.width, 317u);
  EXPECT_EQ(image.height, 229u);
  EXPECT_EQ(pixels[0], 192);
  EXPECT_EQ(pixels[1], 192);
  EXPECT_EQ(pixels[2], 255);
}
