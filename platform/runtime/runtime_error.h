#pragma once
// The one error type of the program: a run-time error as the language runtime
// raises it (an overflow, a type mismatch), carrying the message shown to the user.

#include <stdexcept>
#include <string>

namespace runtime {

enum class ErrorKind { Overflow, TypeMismatch };

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(ErrorKind kind, const std::string& message)
      : std::runtime_error(message), kind_(kind) {}
  ErrorKind kind() const { return kind_; }

 private:
  ErrorKind kind_;
};

[[noreturn]] void raise_overflow();
[[noreturn]] void raise_type_mismatch(const std::string& text);

}  // namespace runtime
