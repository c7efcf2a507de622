#pragma once
// The Windows toolkit: the form as a window of the system's own controls,
// each mirroring its control model both ways. Only the win32_native_*
// files below it include windows.h.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/window_toolkit.h"

namespace toolkit {

class Win32Toolkit : public WindowToolkit {
 public:
  // `program` titles the message boxes.
  explicit Win32Toolkit(std::string program);
  ~Win32Toolkit() override;

  int run(Form& form, const std::vector<Control*>& controls, std::deque<Line>& lines) override;

  void yield(YieldPoint point) override;
  void sleep_ms(int milliseconds) override;
  void show_message(const std::string& text) override;

 private:
  class Window;
  std::string program_;
  std::unique_ptr<Window> window_;
};

}  // namespace toolkit
