// kelvo-render's contract: options, outputs and exit codes.

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <span>
#include <sstream>
#include <string>

#include "platform/gdi/bmp.h"
#include "tests/png_picture.h"
#include "tests/tools/run_render.h"
#include "tests/test_files.h"

namespace {

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::vector<double>> parse_table(const std::vector<std::string>& lines) {
  std::vector<std::vector<double>> rows;
  for (const std::string& line : lines) {
    if (line.find('=') != std::string::npos) break;
    std::istringstream cells(line);
    rows.emplace_back();
    for (double cell; cells >> cell;) rows.back().push_back(cell);
  }
  return rows;
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
                           "--model cube.atl --start", "--snapshot Text1=x.png",
                           "--edition ' 8'", "--edition +8", "--set HScroll4=+5",
                           "--events .", "--events no-such-script"}) {
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

  const Picture picture = read_png(path);
  EXPECT_EQ(picture.width, 317u);
  EXPECT_EQ(picture.height, 229u);
  ASSERT_FALSE(picture.rgb.empty());
  EXPECT_EQ(picture.rgb[0], 192);
  EXPECT_EQ(picture.rgb[1], 192);
  EXPECT_EQ(picture.rgb[2], 255);
}

TEST(KelvoRender, FramesRunEveryStageOfTheWireframePipeline) {
  const std::string path = testing::TempDir() + "wire.png";
  const Result r = render("--model cube.atl --set Check3=1 --frames 2 --dump-table - "
                          "--dump-controls - --snapshot Picture1=" + path);
  ASSERT_EQ(r.status, 0);
  const auto lines = split_lines(r.out);
  const auto table = parse_table(lines);
  ASSERT_EQ(table.size(), 13u);
  // Sorted far to near, row 0 left holding a copy of row N-1, the view turned.
  for (std::size_t row = 2; row <= 12; ++row) EXPECT_GE(table[row - 1][0], table[row][0]) << row;
  EXPECT_EQ(table[0], table[11]);
  EXPECT_NE(table[1][28], table[1][1]);
  EXPECT_NE(r.out.find("\nText1=2\nText2=0\nText3=4\n"), std::string::npos) << r.out;

  // Black outlines on the main view (the loaded model has colour 0).
  const Picture picture = read_png(path);
  long black = 0;
  for (std::size_t i = 0; i + 2 < picture.rgb.size(); i += 3) {
    black += picture.rgb[i] == 0 && picture.rgb[i + 1] == 0 && picture.rgb[i + 2] == 0;
  }
  EXPECT_GT(black, 200);
}

TEST(KelvoRender, TheDefaultFrameIsShadedInFlatGreys) {
  const std::string path = testing::TempDir() + "filled.png";
  const Result r =
      render("--model torus.atl --frames 1 --dump-controls - --snapshot Picture1=" + path);
  ASSERT_EQ(r.status, 0);
  // Gradient triangles of one channel value 100 x level: the grey is its
  // high byte, at most 99; Text7 holds the last level.
  const std::size_t at = r.out.find("\nText7=");
  ASSERT_NE(at, std::string::npos);
  const int level = std::stoi(r.out.substr(at + 7));
  EXPECT_GE(level, 0);
  EXPECT_LE(level, 255);

  const Picture picture = read_png(path);
  std::set<int> greys;
  for (std::size_t i = 0; i + 2 < picture.rgb.size(); i += 3) {
    const int red = picture.rgb[i], green = picture.rgb[i + 1], blue = picture.rgb[i + 2];
    if (red == 192 && green == 192 && blue == 255) continue;
    ASSERT_TRUE(red == green && green == blue && red <= 99) << red << " " << green << " " << blue;
    greys.insert(red);
  }
  EXPECT_GT(greys.size(), 10u);
}

TEST(KelvoRender, ATexturedTriangleShowsTheTextureReflectedAndCutsItForGood) {
  // Screen corners (40,10), (10,10), (10,40), counter-clockwise: the view
  // centre is (158.5, 114.5) and the loader divides by 3.
  const std::string model = testing::TempDir() + "twin.atl";
  {
    std::ofstream out(model, std::ios::binary);
    for (double v : {-355.5, -313.5, 0.0, -445.5, -313.5, 0.0, -445.5, -223.5, 0.0}) {
      out << v << "\r\n";
    }
  }
  const std::string view = testing::TempDir() + "textured.png";
  const std::string texture = testing::TempDir() + "texture.png";
  const Result r = render("--model " + model +
                          " --set Check7=0 --set Check17=0 --set Check4=0 --set Check15=1"
                          " --snapshot Picture1=" + view + " --snapshot Picture5=" + texture);
  ASSERT_EQ(r.status, 0);

  const std::string bytes =
      read_file(std::string(KELVO_SOURCE_DIR) + "/editions/textures/edition6.bmp");
  const gdi::Bitmap original = gdi::read_bmp(
      std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
  const auto texel = [&](unsigned u, unsigned v) { return original.pixels[v * 32 + u]; };

  // The texture's top edge runs down the left side of the 30 x 30 square at
  // (10, 10): texel (u, v) at 30/32 scale, u down and v across; the half
  // u + v >= 32 was cut away.
  const Picture shown = read_png(view);
  ASSERT_EQ(shown.width, 317u);
  for (unsigned y = 0; y < shown.height; ++y) {
    for (unsigned x = 0; x < shown.width; ++x) {
      gdi::COLORREF expected = gdi::RGB(192, 192, 255);
      if (x >= 10 && x < 40 && y >= 10 && y < 40) {
        const unsigned u = (y - 10) * 32 / 30, v = (x - 10) * 32 / 30;
        if (u + v < 32) expected = texel(u, v);
      }
      ASSERT_EQ(shown.at(x, y), expected) << x << ", " << y;
    }
  }
  // Picture5 keeps its cut: its lower-right half is pure blue.
  const Picture cut = read_png(texture);
  ASSERT_EQ(cut.width, 32u);
  for (unsigned v = 0; v < 32; ++v) {
    for (unsigned u = 0; u < 32; ++u) {
      ASSERT_EQ(cut.at(u, v), u + v >= 32 ? gdi::RGB(0, 0, 255) : texel(u, v)) << u << ", " << v;
    }
  }
}

TEST(KelvoRender, RunsEveryEditionWithItsOwnWindow) {
  // The main view is narrower in edition 1; every edition loads the cube
  // and draws it.
  for (int edition = 1; edition <= 10; ++edition) {
    SCOPED_TRACE(edition);
    const std::string path = testing::TempDir() + "edition.png";
    std::remove(path.c_str());
    const Result r = render("--edition " + std::to_string(edition) +
                            " --model cube.atl --set Check3=1 --frames 2 --dump-controls - "
                            "--snapshot Picture1=" + path);
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Form1.Caption=12\n"), std::string::npos);
    const Picture picture = read_png(path);
    EXPECT_EQ(picture.width, edition == 1 ? 309u : 317u);
    long drawn = 0;
    for (unsigned y = 0; y < picture.height; ++y) {
      for (unsigned x = 0; x < picture.width; ++x) drawn += picture.at(x, y) != gdi::RGB(192, 192, 255);
    }
    EXPECT_GT(drawn, 500);
  }
  EXPECT_EQ(render("--edition 11").status, 2);
  EXPECT_EQ(render("--edition 1 --set Check7=1").status, 2);  // edition 1 has no autorotate box
}

TEST(KelvoRender, EventScriptsActAtTheirFramesAndWhileTheLoopStandsStill) {
  const std::string script = testing::TempDir() + "kelvo_render_events.txt";
  std::ofstream(script) << "# a user at work\n"
                           "0 model cube.atl\n"
                           "2 click Check3\n"
                           "3 change HScroll1 99999\n"
                           "4 type Text1 abc\n"   // the loop stops at frame 5
                           "5 type Text1 7\n"     // taken at once, the loop standing still
                           "5 click Command1\n"   // and it runs again
                           "9 memory\n"
                           "10 close\n";
  const std::string err = testing::TempDir() + "kelvo_render_events_err.txt";
  Result r = render("--events " + script + " --dump-controls -", err);
  EXPECT_EQ(r.status, 1);  // the type mismatch, reported
  EXPECT_NE(read_file(err).find("Text1 holds \"abc\""), std::string::npos);
  EXPECT_NE(r.out.find("\nCheck3=1\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\nHScroll1=360\n"), std::string::npos) << r.out;  // its Max
  EXPECT_NE(r.out.find("Form1.Caption=12\n"), std::string::npos) << r.out;
  // Frame 5 never ended before the stop: Text1 counts on from 7 through
  // frames 5 to 10.
  EXPECT_NE(r.out.find("\nText1=13\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find(" memory resident "), std::string::npos) << r.out;

  // Mistakes in the script stop everything before anything runs.
  for (const char* line : {"x click Check3", "1 jump", "1 click Check99", "1 model none.atl",
                           "1 scroll HScroll1 far", "1 type Label1 x", "1 tick now",
                           "1 click Check3 twice", "1 scroll HScroll1 5 6"}) {
    std::ofstream(script) << line << "\n";
    r = render("--events " + script, err);
    EXPECT_EQ(r.status, 2) << line;
    EXPECT_NE(read_file(err).find("line 1"), std::string::npos) << line;
  }
}

namespace {

// An animated GIF as giflib reads it: each frame's RGB, its delay, and
// whether the NETSCAPE2.0 block asks for endless looping.
struct Animation {
  int status = D_GIF_SUCCEEDED;
  std::vector<Picture> frames;
  std::vector<int> delays;
  bool loops_for_ever = false;
};
Animation read_gif(const std::string& path) {
  Animation animation;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &animation.status);
  if (!gif) return animation;
  if (DGifSlurp(gif) != GIF_OK) {
    animation.status = gif->Error;
    DGifCloseFile(gif, nullptr);
    return animation;
  }
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    Picture picture;
    picture.width = static_cast<unsigned>(image.ImageDesc.Width);
    picture.height = static_cast<unsigned>(image.ImageDesc.Height);
    for (std::size_t p = 0; p < std::size_t{picture.width} * picture.height; ++p) {
      const GifColorType c = map->Colors[image.RasterBits[p]];
      picture.rgb.insert(picture.rgb.end(), {c.Red, c.Green, c.Blue});
    }
    animation.frames.push_back(std::move(picture));
    GraphicsControlBlock control;
    animation.delays.push_back(DGifSavedExtensionToGCB(gif, i, &control) == GIF_OK ? control.DelayTime : -1);
    for (int e = 0; e + 1 < image.ExtensionBlockCount; ++e) {
      const ExtensionBlock& block = image.ExtensionBlocks[e];
      const ExtensionBlock& data = image.ExtensionBlocks[e + 1];
      animation.loops_for_ever |= block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
                                  std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0 && data.ByteCount == 3 &&
                                  data.Bytes[0] == 1 && data.Bytes[1] == 0 && data.Bytes[2] == 0;
    }
  }
  DGifCloseFile(gif, nullptr);
  return animation;
}

// Runs five frames of the torus into numbered PNGs and a GIF; the PNGs, in order.
std::vector<Picture> turntable(const std::string& name, const std::string& settings) {
  const std::string dir = testing::TempDir() + name + "/frames";
  std::filesystem::remove_all(testing::TempDir() + name);
  EXPECT_EQ(render("--model torus.atl --frames 5 " + settings + " --frames-png " + dir + " --gif " +
                   testing::TempDir() + name + "/turn.gif").status,
            0);
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) files.push_back(entry.path().filename());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"frame-00001.png", "frame-00002.png", "frame-00003.png",
                                             "frame-00004.png", "frame-00005.png"}));
  std::vector<Picture> frames;
  for (const std::string& file : files) frames.push_back(read_png(dir + "/" + file));
  return frames;
}

}  // namespace

TEST(KelvoRender, TurntablePngsAreThePictureAtTheEndOfEachFrame) {
  const std::vector<Picture> frames = turntable("turntable_grey", "");
  ASSERT_EQ(frames.size(), 5u);
  for (const Picture& frame : frames) {
    EXPECT_EQ(frame.width, 317u);
    EXPECT_EQ(frame.height, 229u);
  }
  EXPECT_NE(frames[0].rgb, frames[4].rgb);  // the torus turns

  const std::string single = testing::TempDir() + "turntable_single.png";
  ASSERT_EQ(render("--model torus.atl --frames 1 --snapshot Picture1=" + single).status, 0);
  EXPECT_EQ(frames[0].rgb, read_png(single).rgb);

  // The grey views hold far fewer than 256 colours: the GIF is exact.
  const Animation gif = read_gif(testing::TempDir() + "turntable_grey/turn.gif");
  ASSERT_EQ(gif.status, D_GIF_SUCCEEDED) << GifErrorString(gif.status);
  ASSERT_EQ(gif.frames.size(), 5u);
  EXPECT_TRUE(gif.loops_for_ever);
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(gif.delays[i], 2) << i;
    EXPECT_EQ(gif.frames[i].width, 317u);
    EXPECT_EQ(gif.frames[i].height, 229u);
    EXPECT_EQ(gif.frames[i].rgb, frames[i].rgb) << i;
  }
}

TEST(KelvoRender, TexturedTurntableGifStaysCloseToThePngs) {
  // Edition 10 shades the texture: some 385 colours in five frames.
  const std::vector<Picture> frames =
      turntable("turntable_textured", "--edition 10 --set Check15=1 --set Check16=1");
  ASSERT_EQ(frames.size(), 5u);
  std::set<gdi::COLORREF> colours;
  for (const Picture& frame : frames) {
    for (unsigned y = 0; y < frame.height; ++y) {
      for (unsigned x = 0; x < frame.width; ++x) colours.insert(frame.at(x, y));
    }
  }
  ASSERT_GT(colours.size(), 256u);  // else the palette would not have to be chosen

  const Animation gif = read_gif(testing::TempDir() + "turntable_textured/turn.gif");
  ASSERT_EQ(gif.frames.size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) {
    ASSERT_EQ(gif.frames[i].rgb.size(), frames[i].rgb.size()) << i;
    long total = 0;
    int worst = 0;
    for (std::size_t c = 0; c < frames[i].rgb.size(); ++c) {
      const int error = std::abs(gif.frames[i].rgb[c] - frames[i].rgb[c]);
      total += error;
      worst = std::max(worst, error);
    }
    const double mean = static_cast<double>(total) / static_cast<double>(frames[i].rgb.size());
    // The shaded texels are close neighbours, and with a palette of 256 for
    // 385 colours only a few neighbours share an entry: a level or two
    // apart. A pixel mapped to a wrong entry is tens of levels off.
    EXPECT_LT(mean, 0.5) << i;
    EXPECT_LE(worst, 8) << i;
  }
}

TEST(KelvoRender, TurntableOutputsThatCannotBeWrittenExitWithOne) {
  const std::string err = testing::TempDir() + "turntable_err.txt";
  const std::string file = testing::TempDir() + "turntable_plain_file";
  std::ofstream(file) << "x";
  Result r = render(
      "--model torus.atl --frames 2 --gif /no/such/folder/turn.gif --dump-controls -", err);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(read_file(err).find("'/no/such/folder/turn.gif'"), std::string::npos) << read_file(err);
  EXPECT_NE(r.out.find("\nText1=2\n"), std::string::npos) << r.out;  // the run went on

  r = render("--model torus.atl --frames 2 --frames-png " + file + "/frames", err);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(read_file(err).find(file + "/frames"), std::string::npos) << read_file(err);

  // A run that cannot finish its GIF leaves the older one of that name as it
  // was, and no half-written file beside it.
  const std::string dir = testing::TempDir() + "turntable_none";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::ofstream(dir + "/turn.gif") << "an older turn";
  r = render("--model torus.atl --frames 0 --gif " + dir + "/turn.gif", err);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(read_file(err).find("nothing to show"), std::string::npos) << read_file(err);
  EXPECT_EQ(read_file(dir + "/turn.gif"), "an older turn");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}
