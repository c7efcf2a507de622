#include "platform/toolkit/fltk_picture.h"

#include <FL/Fl_Widget.H>
#include <FL/fl_draw.H>

namespace toolkit::fltk {

namespace {
// The 3-D border's width; the picture box sizes its image to leave it free.
constexpr int kBorderPixels = 2;
}  // namespace

class PictureWidget : public Fl_Widget {
 public:
  PictureWidget(const PictureBox& picture, const PixelRect& r)
      : Fl_Widget(r.x, r.y, r.w, r.h), picture_(picture) {
    box(picture.border ? FL_DOWN_BOX : FL_NO_BOX);
  }

  void draw() override {
    if (damage() & FL_DAMAGE_ALL) draw_box();
    const gdi::Surface& image = picture_.image();
    if (image.width() <= 0 || image.height() <= 0) return;
    const int inset = picture_.border ? kBorderPixels : 0;
    // Each pixel is the bytes red, green, blue, 0 in memory: FLTK takes the
    // first three of every four as they are.
    fl_push_clip(x() + inset, y() + inset, w() - 2 * inset, h() - 2 * inset);
    fl_draw_image(reinterpret_cast<const uchar*>(image.pixels().data()), x() + inset,
                  y() + inset, image.width(), image.height(), 4, image.width() * 4);
    fl_pop_clip();
  }

 private:
  const PictureBox& picture_;
};

PictureView::PictureView(PictureBox& picture) : BoundView(picture) {
  widget_ = new PictureWidget(picture, pixel_rect(picture.rect));
}

void PictureView::control_changed() { widget_->damage(FL_DAMAGE_USER1); }

}  // namespace toolkit::fltk
