#pragma once
// A picture box on the page: a canvas that is given, at every refresh, the
// part of the image that changed since it was last given one.

#include <cstdint>
#include <vector>

#include "platform/toolkit/picture_box.h"
#include "platform/toolkit/shown_image.h"
#include "platform/toolkit/web_views.h"

namespace toolkit::web {

class PictureView : public WebView {
 public:
  PictureView(PictureBox& picture, int id);
  void control_changed() override;

 private:
  const PictureBox& picture_;
  ShownImage shown_;
  std::vector<std::uint32_t> rgba_;  // the changed box, as the canvas takes it
};

}  // namespace toolkit::web
