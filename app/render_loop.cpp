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
    if (checked(Check20)) build_random_model();
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

bool Form1::yield_and_go_on(toolkit::YieldPoint point) {
  toolkit_.yield(point);
  return !end_requested_ && !restart_requested_;
}

bool Form1::run_frame() {
  if (!pace()) return false;

  write_number(Text1, read_number(Text1) + 1);

  if (checked(Check7)) {  // autorotate
    const float speed = static_cast<float>(HScroll3.Value());
    // The step is a single-precision quotient; the angle sums in double.
    write_number(Text3, read_number(Text3) + speed / 5000.0f);
  } else if (!yield_and_go_on(toolkit::YieldPoint::Other)) {
    return false;
  }

  if (checked(Check1)) {  // ClearBuff
    Picture1.Cls();
    Picture3.Cls();
  }
  if (checked(Check2)) {  // Rotate
    float angle_x = static_cast<float>(HScroll1.Value());
    float angle_y = read_single(Text3);
    float angle_z = static_cast<float>(HScroll2.Value());
    B3D.RotateModel(angle_x, angle_y, angle_z);
  }
  if (checked(Check17)) B3D.ProjectModel();  // Perspettive
  if (checked(Check6)) B3D.DepthSort();      // Z sort
  if (checked(Check3)) B3D.DrawWire(Picture1);
  if (checked(Check4)) B3D.DrawFilled(Picture1);
  if (checked(Check15)) B3D.DrawTextured(Picture1);  // Textured

  // The side views: no perspective and no texture, turned by the spin angle
  // about x (left) or z (right) only.
  if (checked(Check13)) draw_side_view(pPicture2, SideView::AboutX);
  if (checked(Check14)) draw_side_view(pPicture3, SideView::AboutZ);

  Picture1.Refresh();
  pPicture2.Refresh();
  pPicture3.Refresh();
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

void Form1::draw_side_view(toolkit::PictureBox& view, SideView turn) {
  if (checked(Check1)) view.Cls();
  if (checked(Check2)) {
    const float spin = read_single(Text3);
    float angle_x = turn == SideView::AboutX ? spin : 0.0f;
    float angle_y = 0.0f;
    float angle_z = turn == SideView::AboutZ ? spin : 0.0f;
    B3D.RotateModel(angle_x, angle_y, angle_z);
  }
  if (checked(Check6)) B3D.DepthSort();
  if (checked(Check3)) B3D.DrawWire(view);
  if (checked(Check4)) B3D.DrawFilled(view);
}

}  // namespace app
