#pragma once
// What the program needs of a window toolkit beyond its controls: the yield
// that lets pending events run, sleeping, and telling the user something.
// Two back ends: FLTK for the window, headless for tests and kelvo-render.

#include <string>

namespace toolkit {

// Where the render loop yields; the headless toolkit counts frames by the
// yield at the end of each frame.
enum class YieldPoint { EndOfFrame, Other };

class Toolkit {
 public:
  virtual ~Toolkit() = default;
  // Processes every pending event (clicks, timer ticks, the window's close),
  // each to completion or to its own yield, then returns.
  virtual void yield(YieldPoint point) = 0;
  // Suspends the thread (headless: advances virtual time only).
  virtual void sleep_ms(int milliseconds) = 0;
  // Tells the user something went wrong; the program goes on.
  virtual void show_message(const std::string& text) = 0;
};

}  // namespace toolkit
