#pragma once
// The counters of the window live as text in text boxes; these read and
// write them as numbers.

#include <string>

#include "platform/runtime/number.h"
#include "platform/runtime/runtime_error.h"
#include "platform/toolkit/controls.h"

namespace app {

// The box's text as a number. Text that is not a number raises a type
// mismatch whose message names the box and what it holds.
inline double read_number(const toolkit::TextBox& box) {
  try {
    return runtime::text_to_number(box.Text());
  } catch (const runtime::RuntimeError& error) {
    const bool mismatch = error.kind() == runtime::ErrorKind::TypeMismatch;
    throw runtime::RuntimeError(error.kind(), std::string(mismatch ? "Type mismatch" : "Overflow") +
                                                  ": " + box.name() + " holds \"" + box.Text() +
                                                  "\", " +
                                                  (mismatch ? "which is not a number"
                                                            : "a number too large to use"));
  }
}

inline void write_number(toolkit::TextBox& box, double value) {
  box.set_Text(runtime::number_to_text(value));
}

}  // namespace app
