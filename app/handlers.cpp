// The small handlers of Form1.

#include <stdexcept>

#include "app/form1.h"

namespace app {

void Form1::File1_Click() {
  try {
    B3D.LoadModel();
  } catch (const std::runtime_error& error) {
    // The previous model, and a running loop, stay as they were.
    toolkit_.show_message(error.what());
    return;
  }
  Command1_Click();
}

void Form1::HScroll1_Scroll() {
  HScroll1.set_Value(HScroll1.Value());
  toolkit_.yield(toolkit::YieldPoint::Other);
}

// The loop sees the new state of "Wired" and "Filled" at its next test. In
// the edition that draws only one of the two, the box just clicked is
// cleared again while the other is on.
void Form1::Check3_Click() {
  if (loop_.exclusive_wire_and_fill && Check4.Value() == 1) Check3.set_Value(0);
}
void Form1::Check4_Click() {
  if (loop_.exclusive_wire_and_fill && Check3.Value() == 1) Check4.set_Value(0);
}

void Form1::Form_Unload() { end_requested_ = true; }

}  // namespace app
