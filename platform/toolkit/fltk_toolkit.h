#pragma once
// The FLTK toolkit: a real window whose widgets mirror the control models
// both ways. The only code that includes FLTK is behind this header.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/controls.h"
#include "platform/toolkit/toolkit.h"

namespace toolkit {

class FltkToolkit : public Toolkit {
 public:
  FltkToolkit();
  ~FltkToolkit() override;

  // Builds the window for the form and its controls, shows it and runs the
  // event loop until the window is closed. Returns the exit code.
  int run(Form& form, const std::vector<Control*>& controls, std::deque<Line>& lines);

  void yield(YieldPoint point) override;
  void sleep_ms(int milliseconds) override;
  void show_message(const std::string& text) override;

 private:
  struct Window;
  std::unique_ptr<Window> window_;
};

}  // namespace toolkit
