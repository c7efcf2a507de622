#include "platform/toolkit/fltk_scrollbar.h"

#include <FL/Fl.H>
#include <FL/Fl_Scrollbar.H>

#include <algorithm>
#include <cmath>

namespace toolkit::fltk {

// Knows whether a value change comes from a drag of the thumb: FLTK reports
// both through the same callback, and Fl::event() alone cannot tell, because
// the auto-repeat of a held arrow runs from a timeout while the last event
// may still be a drag.
class ScrollBarWidget : public Fl_Scrollbar {
 public:
  ScrollBarWidget(ScrollBarView& view, const PixelRect& r)
      : Fl_Scrollbar(r.x, r.y, r.w, r.h), view_(view) {
    type(FL_HORIZONTAL);
    callback(&ScrollBarWidget::changed_cb, this);
  }

  int handle(int event) override {
    // Saved and restored: a handler that yields can run nested events here.
    const bool outer = in_drag_;
    in_drag_ = event == FL_DRAG;
    const int used = Fl_Scrollbar::handle(event);
    in_drag_ = outer;
    if (event == FL_RELEASE) view_.released(static_cast<int>(value()));
    return used;
  }

 private:
  static void changed_cb(Fl_Widget*, void* data) {
    auto* self = static_cast<ScrollBarWidget*>(data);
    self->view_.moved(static_cast<int>(self->value()), self->in_drag_);
  }

  ScrollBarView& view_;
  bool in_drag_ = false;
};

ScrollBarView::ScrollBarView(HScrollBar& bar) : BoundView(bar), bar_(bar) {
  widget_ = new ScrollBarWidget(*this, pixel_rect(bar.rect));
  control_changed();
}

void ScrollBarView::control_changed() {
  widget_->bounds(bar_.Min, bar_.Max);
  widget_->linesize(bar_.SmallChange);
  // A click in the trough moves by range * size / (1 - size); this size makes
  // that exactly LargeChange (and sets the thumb's width to match).
  const double range = std::abs(static_cast<double>(bar_.Max) - bar_.Min);
  const double large = std::max(1, bar_.LargeChange);
  widget_->slider_size((large + 0.5) / (range + large + 0.5));
  widget_->value(bar_.Value());
}

void ScrollBarView::moved(int value, bool dragging) {
  if (dragging) {
    dragged_ = true;
    bar_.user_scroll(value);
  } else {
    bar_.user_change(value);
  }
}

void ScrollBarView::released(int value) {
  if (!dragged_) return;
  dragged_ = false;
  bar_.user_change(value);
}

}  // namespace toolkit::fltk
