#pragma once
// Module B3D with the controls it reaches, without a window: the main view
// has the size and colours of edition 8's, the options their start values.

#include <gtest/gtest.h>

#include <utility>

#include "b3d/b3d.h"

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
  }

  b3d::Table& table() { return *b3d.TriangleTable; }
  void set_table(b3d::Table table) { b3d.TriangleTable = std::move(table); }

  toolkit::Form Form1{"Form1"};
  toolkit::FileListBox File1{"File1"};
  toolkit::HScrollBar HScroll4{"HScroll4"}, HScroll5{"HScroll5"};
  toolkit::CheckBox Check5{"Check5"}, Check8{"Check8"}, Check9{"Check9"}, Check10{"Check10"},
      Check19{"Check19"};
  toolkit::TextBox Text7{"Text7"};
  toolkit::PictureBox Picture1{"Picture1"}, Picture3{"Picture3"}, Picture5{"Picture5"};
  b3d::B3D b3d{{Form1, File1, HScroll4, HScroll5, Check5, Check8, Check9, Check10, Check19, Text7,
                Picture1, Picture3, Picture5}};
};
