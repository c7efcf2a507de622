#pragma once
// An animated GIF of a run's frames: every frame is kept until the end, then
// one palette is chosen for all of them and the file is written.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gdi/surface.h"
#include "platform/runtime/output_file.h"

struct GifFileType;

namespace tools {

// Up to `max_colours` colours for the pixel counts in `histogram`: the
// colours themselves when there are few enough, otherwise a median cut of the
// histogram refined by a few rounds of moving each colour to the mean of the
// pixels nearest to it. Sorted by colour value, so equal input gives an equal
// palette.
std::vector<gdi::COLORREF> choose_palette(
    const std::unordered_map<gdi::COLORREF, std::uint64_t>& histogram, std::size_t max_colours);

// The palette index nearest to `colour` (squared distance in RGB).
std::size_t nearest_colour(const std::vector<gdi::COLORREF>& palette, gdi::COLORREF colour);

// Whether this build writes GIF files; the browser's, without giflib, does not.
bool writes_gif_files();

class GifAnimation {
 public:
  // Opens the output at once (a temporary file beside `path`, or the device
  // it names), so that a folder that cannot be written is known before the
  // run; throws std::runtime_error naming the file and the reason.
  // `delay_cs` is the time each frame is shown, in hundredths of a second.
  GifAnimation(const std::string& path, int delay_cs);
  ~GifAnimation();
  GifAnimation(const GifAnimation&) = delete;
  GifAnimation& operator=(const GifAnimation&) = delete;

  // Takes a copy of the frame; every frame must have the first one's size.
  void add_frame(const gdi::Surface& frame);
  std::size_t frames() const { return frames_.size(); }

  // Chooses the palette, writes every frame, looping for ever, and gives the
  // file its name; throws std::runtime_error on failure. A file that could
  // not be finished, here or because the animation is dropped unfinished,
  // is removed, and whatever had the name before keeps it.
  void finish();

 private:
  static int put_bytes(GifFileType* gif, const unsigned char* bytes, int size);

  std::string path_;
  int delay_cs_;
  std::unique_ptr<runtime::OutputFile> out_;  // null once finished
  std::string write_error_;
  int width_ = 0, height_ = 0;
  // Each frame deflated: the renderer's pictures are large flat areas, so a
  // frame of 290 KB keeps a few KB, and a long run fits in memory without
  // knowing its palette beforehand.
  std::vector<std::vector<unsigned char>> frames_;
  std::unordered_map<gdi::COLORREF, std::uint64_t> histogram_;
};

}  // namespace tools
