#pragma once
// Picture1 at the end of every frame, as numbered PNG files and as a GIF.
// An output that fails stops there and its message waits for the end of the
// run, as the dumps' do; the run and the other outputs go on.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/surface.h"
#include "tools/gif_writer.h"

namespace tools {

class FrameRecorder {
 public:
  // 50 frames a second, the pace "Max 50fps" holds the window to.
  static constexpr int kDelayCentiseconds = 2;

  // PNG files go to png_dir, created if missing; the GIF to gif. Either may
  // be absent.
  FrameRecorder(const std::optional<std::string>& png_dir,
                const std::optional<std::string>& gif);

  bool active() const { return png_dir_ || gif_; }
  void record(const gdi::Surface& picture, long frame);
  // Writes the GIF; the messages of every output that failed.
  const std::vector<std::string>& finish();

 private:
  std::optional<std::filesystem::path> png_dir_;
  std::optional<GifAnimation> gif_;
  std::vector<std::string> errors_;
};

}  // namespace tools
