#pragma once
// What a window shows of a picture box's image, so that a refresh repaints
// only the part that changed since, or nothing when nothing did.

#include <cstdint>
#include <vector>

#include "platform/gdi/surface.h"

namespace toolkit {

// A rectangle of pixels in image coordinates; empty when w or h is 0.
struct PixelBox {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  bool empty() const { return w <= 0 || h <= 0; }
  friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

class ShownImage {
 public:
  // The smallest box holding every pixel of `image` that differs from the
  // screen: the whole image while the screen's content is not known, empty
  // when the screen shows it already.
  PixelBox changes(const gdi::Surface& image) const;

  // `box` of `image` has just been drawn on screen, and nothing else of the
  // picture. The rest stays known only if it was known before.
  void drawn(const gdi::Surface& image, PixelBox box);

  // Something was drawn that is not a box of the image: the screen's
  // content is unknown until the whole image is drawn again.
  void forget() { known_ = false; }

 private:
  std::vector<std::uint32_t> pixels_;
  int width_ = 0;
  int height_ = 0;
  bool known_ = false;
};

}  // namespace toolkit
