#include "platform/toolkit/fltk_picture.h"

#include <FL/Fl_Widget.H>
#include <FL/fl_draw.H>

#include "platform/toolkit/shown_image.h"

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

  // Marks for the next repaint the part of the image that the screen does
  // not show yet; nothing when it shows it all.
  void refresh() {
    const gdi::Surface& image = picture_.image();
    const PixelBox changed = shown_.changes(image);
    if (changed.empty()) return;
    if (changed == PixelBox{0, 0, image.width(), image.height()}) {
      damage(FL_DAMAGE_USER1);
    } else {
      damage(FL_DAMAGE_USER1, image_left() + changed.x, image_top() + changed.y, changed.w,
             changed.h);
    }
  }

  void draw() override {
    if (damage() & FL_DAMAGE_ALL) draw_box();
    const gdi::Surface& image = picture_.image();
    if (image.width() <= 0 || image.height() <= 0) return;
    const int left = image_left(), top = image_top();
    fl_push_clip(left, top, w() - 2 * inset(), h() - 2 * inset());
    // Each pixel is the bytes red, green, blue, 0 in memory: FLTK takes the
    // first three of every four as they are, and converts only the part
    // inside the clip.
    fl_draw_image(reinterpret_cast<const uchar*>(image.pixels().data()), left, top, image.width(),
                  image.height(), 4, image.width() * 4);
    // What reached the screen: the image within the clip. Unless that is a
    // plain rectangle, the screen now mixes this image with older ones.
    int cx, cy, cw, ch, ignored;
    fl_clip_box(left, top, image.width(), image.height(), cx, cy, cw, ch);
    if (cw > 0 && ch > 0) {
      if (fl_clip_box(cx, cy, cw, ch, ignored, ignored, ignored, ignored) == 0) {
        shown_.drawn(image, {cx - left, cy - top, cw, ch});
      } else {
        shown_.forget();
      }
    }
    fl_pop_clip();
  }

 private:
  int inset() const { return picture_.border ? kBorderPixels : 0; }
  int image_left() const { return x() + inset(); }
  int image_top() const { return y() + inset(); }

  const PictureBox& picture_;
  ShownImage shown_;
};

PictureView::PictureView(PictureBox& picture) : BoundView(picture) {
  widget_ = new PictureWidget(picture, pixel_rect(picture.rect));
}

// The loop refreshes the side views every frame, drawn on or not, and most
// of the main view stays the same from one frame to the next: only what
// changed is painted again.
void PictureView::control_changed() { widget_->refresh(); }

}  // namespace toolkit::fltk
