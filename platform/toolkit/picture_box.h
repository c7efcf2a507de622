#pragma once
// A picture box: a drawing surface with a persistent image and the properties
// the renderers draw through.

#include <optional>

#include "platform/gdi/bmp.h"
#include "platform/toolkit/controls.h"

namespace toolkit {

constexpr int kScaleTwips = 1;
constexpr int kScalePixels = 3;

class PictureBox : public Control {
 public:
  using Control::Control;

  // Sizes the image to the drawing area: the control's size less a 3-D border
  // of 2 pixels a side when it has one. Call after rect and border are set.
  void layout();
  bool border = false;

  int ScaleMode = kScaleTwips;
  bool AutoRedraw = false;
  // The drawing area in the current scale.
  float ScaleWidth() const;
  float ScaleHeight() const;

  gdi::COLORREF BackColor() const { return surface_.back_colour; }
  void set_BackColor(gdi::COLORREF colour) { surface_.back_colour = colour; }
  gdi::COLORREF ForeColor() const { return surface_.pen_colour; }
  void set_ForeColor(gdi::COLORREF colour) { surface_.pen_colour = colour; }
  gdi::COLORREF FillColor() const { return surface_.brush_colour; }
  void set_FillColor(gdi::COLORREF colour) { surface_.brush_colour = colour; }
  int FillStyle() const { return surface_.fill_style; }
  void set_FillStyle(int style) { surface_.fill_style = style; }

  // The device context of the persistent image.
  gdi::HDC hDC() { return &surface_; }
  const gdi::Surface& image() const { return surface_; }

  // The background picture: drawn at the top-left corner now and after every Cls.
  void set_Picture(const gdi::Bitmap& picture);
  // The persistent image as a picture that another box can take.
  gdi::Bitmap Image() const { return {surface_.width(), surface_.height(), surface_.pixels()}; }
  // The image cleared to the back colour (the background picture stays).
  void Cls();
  // Makes what was drawn visible on screen.
  void Refresh() { changed(); }

 private:
  int units_per_pixel() const;
  void draw_picture();
  gdi::Surface surface_;
  std::optional<gdi::Bitmap> picture_;
};

}  // namespace toolkit
