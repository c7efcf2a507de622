#include "tools/frame_recorder.h"

#include <cstdio>
#include <stdexcept>
#include <system_error>

#include "platform/gdi/png_writer.h"

namespace tools {

FrameRecorder::FrameRecorder(const std::optional<std::string>& png_dir,
                             const std::optional<std::string>& gif) {
  if (png_dir) {
    std::error_code error;
    std::filesystem::create_directories(*png_dir, error);
    if (!error && !std::filesystem::is_directory(*png_dir, error) && !error) {
      error = std::make_error_code(std::errc::not_a_directory);
    }
    if (error) {
      errors_.push_back("cannot write frames to '" + *png_dir + "': " + error.message());
    } else {
      png_dir_ = *png_dir;
    }
  }
  if (gif) {
    try {
      gif_.emplace(*gif, kDelayCentiseconds);
    } catch (const std::runtime_error& e) {
      errors_.push_back(e.what());
    }
  }
}

void FrameRecorder::record(const gdi::Surface& picture, long frame) {
  if (png_dir_) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%05ld.png", frame);
    try {
      gdi::write_png((*png_dir_ / name).string(), picture);
    } catch (const std::runtime_error& e) {
      errors_.push_back(e.what());
      png_dir_.reset();
    }
  }
  if (gif_) {
    try {
      gif_->add_frame(picture);
    } catch (const std::runtime_error& e) {
      errors_.push_back(e.what());
      gif_.reset();
    }
  }
}

const std::vector<std::string>& FrameRecorder::finish() {
  if (gif_) {
    try {
      gif_->finish();
    } catch (const std::runtime_error& e) {
      errors_.push_back(e.what());
    }
    gif_.reset();
  }
  return errors_;
}

}  // namespace tools
