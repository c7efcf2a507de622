#pragma once
// The counters of the window live as text in text boxes; these read and
// write them as numbers.

#include <cmath>
#include <string>

#include "platform/runtime/number.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/single.h"
#include "platform/toolkit/controls.h"

namespace app {

// The error for a box whose text cannot be used, naming the box and its text.
[[noreturn]] inline void raise_for(const toolkit::TextBox& box, runtime::ErrorKind kind) {
  const bool mismatch = kind == runtime::ErrorKind::TypeMismatch;
  throw runtime::RuntimeError(kind, std::string(mismatch ? "Type mismatch" : "Overflow") + ": " +
                                        box.name() + " holds \"" + box.Text() + "\", " +
                                        (mismatch ? "which is not a number"
                                                  : "a number too large to use"));
}

// The box's text as a number. Text that is not a number raises a type
// mismatch whose message names the box and what it holds.
inline double read_number(const toolkit::TextBox& box) {
  try {
    return runtime::text_to_number(box.Text());
  } catch (const runtime::RuntimeError& error) {
    raise_for(box, error.kind());
  }
}

// The box's number in single precision; beyond that range it overflows.
inline float read_single(const toolkit::TextBox& box) {
  const float value = runtime::to_single(read_number(box));
  if (std::isinf(value)) raise_for(box, runtime::ErrorKind::Overflow);
  return value;
}

inline void write_number(toolkit::TextBox& box, double value) {
  box.set_Text(runtime::number_to_text(value));
}

}  // namespace app
