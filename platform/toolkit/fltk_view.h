#pragma once
// What every FLTK widget view shares: the attachment to its control, the
// control's place in pixels and its colours in FLTK's terms.

#include <FL/Enumerations.H>

#include "platform/gdi/gdi_types.h"
#include "platform/toolkit/controls.h"

class Fl_Widget;

namespace toolkit::fltk {

// The form's font is 8.25 pt; FLTK's normal 14 px does not fit 17-px-high controls.
constexpr int kFontSize = 11;

struct PixelRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

inline PixelRect pixel_rect(const Rect& rect) {
  return {to_pixels(rect.left), to_pixels(rect.top), to_pixels(rect.width),
          to_pixels(rect.height)};
}

inline Fl_Color fl_colour(gdi::COLORREF colour) {
  return fl_rgb_color(static_cast<uchar>(gdi::GetRValue(colour)),
                      static_cast<uchar>(gdi::GetGValue(colour)),
                      static_cast<uchar>(gdi::GetBValue(colour)));
}

// A view attached to its control for as long as it lives. Views must die
// before their controls; the toolkit destroys them when its window closes.
class BoundView : public ControlView {
 public:
  explicit BoundView(Control& control) : control_(control) { control_.attach(this); }
  ~BoundView() override { control_.attach(nullptr); }
  BoundView(const BoundView&) = delete;
  BoundView& operator=(const BoundView&) = delete;

 private:
  Control& control_;
};

}  // namespace toolkit::fltk
