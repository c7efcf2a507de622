#include "platform/toolkit/web_picture.h"

#include "platform/toolkit/web_page.h"

namespace toolkit::web {

PictureView::PictureView(PictureBox& picture, int id) : WebView(picture, id), picture_(picture) {
  control_changed();
}

// The loop refreshes the side views every frame, drawn on or not, and most
// of the main view stays the same from one frame to the next: only the box
// that changed goes to the canvas.
void PictureView::control_changed() {
  const gdi::Surface& image = picture_.image();
  const PixelBox box = shown_.changes(image);
  if (box.empty()) return;
  // A colour reference is the bytes red, green, blue, 0 in memory; the
  // canvas wants an opaque alpha in the fourth.
  rgba_.resize(static_cast<std::size_t>(box.w) * box.h);
  std::uint32_t* out = rgba_.data();
  for (int y = box.y; y < box.y + box.h; ++y) {
    const std::uint32_t* row = image.row(y) + box.x;
    for (int x = 0; x < box.w; ++x) *out++ = row[x] | 0xff000000u;
  }
  kelvo_control_image(id(), image.width(), image.height(), rgba_.data(), box.x, box.y, box.w,
                      box.h);
  shown_.drawn(image, box);
}

}  // namespace toolkit::web
