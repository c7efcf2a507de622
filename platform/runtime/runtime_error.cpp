#include "platform/runtime/runtime_error.h"

namespace runtime {

void raise_overflow() { throw RuntimeError(ErrorKind::Overflow, "Overflow"); }

void raise_type_mismatch(const std::string& text) {
  throw RuntimeError(ErrorKind::TypeMismatch, "Type mismatch: \"" + text + "\" is not a number");
}

}  // namespace runtime
