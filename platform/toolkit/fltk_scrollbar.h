#pragma once
// The view of a horizontal scroll bar. Dragging the thumb reports Scroll for
// every move and Change once when it is let go; arrows, the trough, the wheel
// and the keyboard report Change.

#include "platform/toolkit/fltk_view.h"

namespace toolkit::fltk {

class ScrollBarWidget;

class ScrollBarView : public BoundView {
 public:
  explicit ScrollBarView(HScrollBar& bar);
  void control_changed() override;

  // Called by the widget.
  void moved(int value, bool dragging);
  void released(int value);

 private:
  HScrollBar& bar_;
  ScrollBarWidget* widget_;
  bool dragged_ = false;
};

}  // namespace toolkit::fltk
