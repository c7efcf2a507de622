#pragma once
// The view of a picture box: its persistent image on screen.

#include "platform/toolkit/fltk_view.h"
#include "platform/toolkit/picture_box.h"

namespace toolkit::fltk {

class PictureWidget;

class PictureView : public BoundView {
 public:
  explicit PictureView(PictureBox& picture);
  // Refresh, or any other notification: the image is shown again at the next
  // flush of the window.
  void control_changed() override;

 private:
  PictureWidget* widget_;
};

}  // namespace toolkit::fltk
