#pragma once
// A user's actions written down for kelvo-render, one a line:
//
//   FRAME click NAME           a check box, option button or "Start" (Command1)
//   FRAME scroll NAME VALUE    a scroll bar's thumb dragged to VALUE
//   FRAME change NAME VALUE    a scroll bar moved to VALUE by an arrow or a click
//   FRAME type NAME [TEXT]     a text box's contents replaced by TEXT (to the line's end)
//   FRAME model FILE           FILE clicked in the model list
//   FRAME tick                 the frame-rate meter's timer
//   FRAME close                the window closed
//   FRAME memory               a line on standard output: the frame, resident
//                              and peak memory, and the stack's depth
//
// An action is taken during the last yield of frame FRAME, where a window's
// events are taken, in the order of the lines. While the loop stands still
// (stopped by an error, or not started), the next action is taken at once,
// as a user acts on an idle window. Blank lines and lines starting with '#'
// are skipped. A scroll value beyond the bar's range is taken as its nearest
// end, as a user cannot drag beyond it.

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "app/form1.h"

namespace tools {

struct ScriptedEvent {
  long frame = 0;
  std::string action;
  std::string name;
  std::string value;
  int line = 0;  // in the script, for messages
};

// Throws std::runtime_error naming the line of the first one not understood.
std::vector<ScriptedEvent> read_event_script(const std::string& path);

class EventPlayer {
 public:
  // `stack_base` is an address in the frame of the caller's outermost
  // function, from which the stack's depth is measured.
  EventPlayer(app::Form1& form, std::vector<ScriptedEvent> events, std::ostream& report,
              const void* stack_base);

  // Takes every action due by the end of `frame`.
  void at_frame_end(long frame);
  // Takes the next action whatever its frame; false when none is left.
  bool take_next();

 private:
  void take(const ScriptedEvent& e);

  app::Form1& form_;
  std::vector<ScriptedEvent> events_;
  std::size_t next_ = 0;
  std::ostream& report_;
  const char* stack_base_;
  long frame_ = 0;
};

}  // namespace tools
