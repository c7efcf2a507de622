// Command1_Click: the render loop. It runs inside the handler and yields to
// the window system at fixed points of every frame; everything else (timer
// ticks, clicks, the window's close) happens inside those yields.

#include "app/form1.h"
#include "app/text_number.h"

namespace app {

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
    // Reached at once when the program was told to end before the first frame.
    if (end_requested_) return;

    do {
      write_number(Text1, read_number(Text1) + 1);
      Picture1.Refresh();
      pPicture2.Refresh();
      pPicture3.Refresh();
      toolkit_.yield(toolkit::YieldPoint::EndOfFrame);
    } while (!interrupted());

    if (end_requested_) return;
    ++restarts_;
  }
}

}  // namespace app
