#include "platform/toolkit/picture_box.h"

#include <algorithm>

namespace toolkit {

namespace {
constexpr int kBorderPixels = 2;
}

void PictureBox::layout() {
  const int inset = border ? 2 * kBorderPixels : 0;
  surface_.resize(std::max(0, to_pixels(rect.width) - inset),
                  std::max(0, to_pixels(rect.height) - inset));
  draw_picture();
}

int PictureBox::units_per_pixel() const { return ScaleMode == kScalePixels ? 1 : kTwipsPerPixel; }

float PictureBox::ScaleWidth() const {
  return static_cast<float>(surface_.width() * units_per_pixel());
}

float PictureBox::ScaleHeight() const {
  return static_cast<float>(surface_.height() * units_per_pixel());
}

void PictureBox::set_Picture(const gdi::Bitmap& picture) {
  picture_ = picture;
  draw_picture();
}

void PictureBox::Cls() {
  surface_.Cls();
  draw_picture();
}

void PictureBox::draw_picture() {
  if (!picture_) return;
  const int w = std::min(picture_->width, surface_.width());
  const int h = std::min(picture_->height, surface_.height());
  for (int y = 0; y < h; ++y) {
    std::copy_n(picture_->pixels.begin() + static_cast<std::ptrdiff_t>(y) * picture_->width, w,
                surface_.row(y));
  }
}

}  // namespace toolkit
