// Command1_Click: the render loop. It runs inside the handler and yields to
// the window system at fixed points of every frame; everything else (timer
// ticks, clicks, the window's close) happens inside those yields.

#include "app/form1.h"
#include "app/text_number.h"
#include "platform/runtime/single.h"

namespace app {

namespace {

bool checked(const toolkit::CheckBox& box) { return box.Value() == 1; }

}  // namespace

void Form1::Command1_Click() {
  if (running_) {
    // A click during one of the loop's yields: the running loop sees the
    // request when the yield returns and starts over, so any number of
    // restarts runs in bounded stack.
    restart_requested_ = true;
    return;
  }
  running_ = true;
  try {
    run_loop();
  } catch (const runtime::RuntimeError& error) {
    // The loop stops; the window stays open and "Start" runs it again once
    // the cause is mended.
    toolkit_.show_message(std::string(error.what()) + ". The render loop has stopped.");
  }
  running_ = false;
  restart_requested_ = false;
}

void Form1::run_loop() {
  for (;;) {
    restart_requested_ = false;
    switch (loop_.set_up) {
      case editions::LoopVariants::SetUp::RandomModel:
        if (checked(Check20)) build_random_model();
        break;
      case editions::LoopVariants::SetUp::ColourPerCell:
      case editions::LoopVariants::SetUp::ColourPerRow:
        colour_rows();
        break;
    }
    // Reached at once when the program was told to end before the first frame.
    if (end_requested_) return;

    while (run_frame()) {
    }
    if (end_requested_) return;
    ++restarts_;
  }
}

void Form1::build_random_model() {
  b3d::Table table(200);
  for (int i = 0; i <= table.upper_row(); ++i) {
    for (int j = 1; j <= b3d::kLastColumn; ++j) table(i, j) = rnd_.next() * 300.0f - 150.0f;
    // One colour for the whole row, in double, over the values just drawn.
    const double colour = double{rnd_.next()} * 65535 - 32767;
    for (int j = b3d::kColour; j <= b3d::kColourLast; ++j) {
      table(i, j) = runtime::to_single(colour);
    }
  }
  B3D.TriangleTable = std::move(table);
}

// The oldest editions give every row of the table they have random colours
// each time the loop starts; before any model there is nothing to colour.
void Form1::colour_rows() {
  if (!B3D.TriangleTable) return;
  b3d::Table& table = *B3D.TriangleTable;
  const bool per_cell = loop_.set_up == editions::LoopVariants::SetUp::ColourPerCell;
  for (int i = 0; i <= table.upper_row(); ++i) {
    double colour = 0;
    if (!per_cell) colour = double{rnd_.next()} * 65535 - 32767;
    for (int j = b3d::kColour; j <= b3d::kColourLast; ++j) {
      if (per_cell) colour = double{rnd_.next()} * 65535 - 32767;
      table(i, j) = runtime::to_single(colour);
    }
  }
}

bool Form1::yield_and_go_on(toolkit::YieldPoint point) {
  toolkit_.yield(point);
  return !end_requested_ && !restart_requested_;
}

bool Form1::run_frame() {
  if (loop_.pacing && !pace()) return false;

  write_number(Text1, read_number(Text1) + 1);

  if (loop_.fixed_spin) {
    write_number(Text3, read_number(Text3) + 2);
  } else if (checked(Check7)) {  // autorotate
    const float speed = static_cast<float>(HScroll3.Value());
    // The step is a single-precision quotient; the angle sums in double.
    write_number(Text3, read_number(Text3) + speed / 5000.0f);
  } else if (!yield_and_go_on(toolkit::YieldPoint::Other)) {
    return false;
  }

  if (checked(Check1)) {  // ClearBuff
    Picture1.Cls();
    if (loop_.textured) Picture3.Cls();  // the work surface
  }
  const bool projecting = loop_.perspective && checked(Check17);  // Perspettive
  const bool sorting = checked(Check6);                            // Z sort
  if (checked(Check2)) {  // Rotate
    const float a = static_cast<float>(HScroll1.Value());
    const float spin = read_single(Text3);
    const float b = static_cast<float>(HScroll2.Value());
    float angle_x = loop_.spin_about_x ? spin : a;
    float angle_y = loop_.spin_about_x ? a : spin;
    float angle_z = b;
    B3D.RotateModelThen(angle_x, angle_y, angle_z, {.project = projecting, .sort = sorting});
  } else {
    if (projecting) B3D.ProjectModel();
    if (sorting) B3D.DepthSort();
  }
  if (checked(Check3)) B3D.DrawWire(Picture1);
  if (checked(Check4)) B3D.DrawFilled(Picture1);
  if (loop_.textured && checked(Check15)) B3D.DrawTextured(Picture1);

  // The side views: no perspective and no texture, turned by the spin angle
  // alone.
  if (side_view_on(SideView::Left)) draw_side_view(*left_view_, SideView::Left);
  if (side_view_on(SideView::Right)) draw_side_view(*right_view_, SideView::Right);

  Picture1.Refresh();
  if (left_view_ != nullptr) left_view_->Refresh();
  if (right_view_ != nullptr) right_view_->Refresh();
  return yield_and_go_on(toolkit::YieldPoint::EndOfFrame);
}

bool Form1::pace() {
  if (!checked(Check12)) {  // Max 50fps
    Text6.set_Text("0");
    return true;
  }
  // The pacing count integrates the frame-rate error: one unit per frame,
  // and every 100 units add a 5 ms sleep to each frame.
  const bool too_fast = read_number(Text2) > 50;
  write_number(Text6, read_number(Text6) + (too_fast ? 1 : -1));
  if (read_number(Text2) < 30) Text6.set_Text("0");
  if (read_number(Text2) < 0) Text2.set_Text("0");

  const double sleeps = read_number(Text6) / 100;
  for (double n = 1; n <= sleeps; ++n) {
    if (!yield_and_go_on(toolkit::YieldPoint::Other)) return false;
    toolkit_.sleep_ms(5);
  }
  return true;
}

bool Form1::side_view_on(SideView side) const {
  switch (loop_.side_views) {
    case editions::LoopVariants::SideViews::None:
      return false;
    case editions::LoopVariants::SideViews::Always:
      return true;
    case editions::LoopVariants::SideViews::WhenActive:
      return checked(side == SideView::Left ? Check13 : Check14);  // Active
  }
  return false;
}

// The left view turns about x and the right one about z; in the oldest
// editions the left one turns about y.
void Form1::draw_side_view(toolkit::PictureBox& view, SideView side) {
  if (checked(Check1)) view.Cls();
  if (checked(Check2)) {
    const float spin = read_single(Text3);
    float angle_x = 0.0f, angle_y = 0.0f, angle_z = 0.0f;
    if (side == SideView::Right) {
      angle_z = spin;
    } else if (loop_.spin_about_x) {
      angle_y = spin;
    } else {
      angle_x = spin;
    }
    B3D.RotateModelThen(angle_x, angle_y, angle_z, {.sort = checked(Check6)});
  } else if (checked(Check6)) {
    B3D.DepthSort();
  }
  if (checked(Check3)) B3D.DrawWire(view);
  if (checked(Check4)) B3D.DrawFilled(view);
}

}  // namespace app
