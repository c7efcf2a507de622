#pragma once
// Module B3D with the controls it reaches, without a window: the main view
// has the size and colours of edition 8's, the options their start values.

#include <gtest/gtest.h>

#include <utility>

#include "b3d/b3d.h"
#include "b3d/texture_placement.h"

// Texel (u, v) of the test texture is RGB(8u, 8v, 100): each one tells where
// it came from.
inline gdi::Bitmap test_texture() {
  gdi::Bitmap t{32, 32, {}};
  for (int v = 0; v < 32; ++v) {
    for (int u = 0; u < 32; ++u) t.pixels.push_back(gdi::RGB(8 * u, 8 * v, 100));
  }
  return t;
}

class B3DTest : public testing::Test {
 protected:
  B3DTest() {
    HScroll4.Min = 1;
    HScroll4.Max = 10;
    HScroll4.set_Value(1);
    HScroll5.Min = 50;
    HScroll5.Max = 500;
    HScroll5.set_Value(400);
    for (toolkit::CheckBox* box : {&Check5, &Check8, &Check9, &Check10, &Check19}) box->set_Value(1);
    Picture1.rect = {120, 240, 4815, 3495};
    Picture1.border = true;
    Picture1.set_BackColor(gdi::RGB(192, 192, 255));
    Picture1.set_FillStyle(gdi::FILL_SOLID);
    Picture1.layout();
    Picture1.Cls();
    // The work surface and the texture, drawn and cut in the key colour.
    for (toolkit::PictureBox* p : {&Picture3, &Picture5}) {
      p->ScaleMode = toolkit::kScalePixels;
      p->set_ForeColor(b3d::KeyColour);
      p->set_FillColor(b3d::KeyColour);
      p->set_FillStyle(gdi::FILL_SOLID);
    }
    Picture3.rect = {4080, 7080, 4815, 3450};
    Picture3.set_BackColor(b3d::KeyColour);
    Picture3.layout();
    Picture3.Cls();
    Picture5.rect = {2040, 7080, 480, 480};
    Picture5.layout();
    Picture5.set_Picture(test_texture());
  }

  // The module as an edition with older ways has it, on the same controls.
  b3d::B3D with(const b3d::Variants& variants) {
    return b3d::B3D({Form1, File1, HScroll4, HScroll5, Check5, Check6, Check8, Check9, Check10,
                     Check19, Text7, Picture1, Picture2, Picture3, Picture5},
                    variants);
  }

  b3d::Table& table() { return *b3d.TriangleTable; }
  void set_table(b3d::Table table) { b3d.TriangleTable = std::move(table); }

  toolkit::Form Form1{"Form1"};
  toolkit::FileListBox File1{"File1"};
  toolkit::HScrollBar HScroll4{"HScroll4"}, HScroll5{"HScroll5"};
  toolkit::CheckBox Check5{"Check5"}, Check6{"Check6"}, Check8{"Check8"}, Check9{"Check9"},
      Check10{"Check10"}, Check19{"Check19"};
  toolkit::TextBox Text7{"Text7"};
  toolkit::PictureBox Picture1{"Picture1"}, Picture2{"Picture2"}, Picture3{"Picture3"},
      Picture5{"Picture5"};
  b3d::B3D b3d = with({});
};
