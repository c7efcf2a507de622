#pragma once
// The FLTK toolkit: a real window whose widgets mirror the control models
// both ways. The only code that includes FLTK is behind this header.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/window_toolkit.h"

namespace toolkit {

class FltkToolkit : public WindowToolkit {
 public:
  FltkToolkit();
  ~FltkToolkit() override;

  int run(Form& form, const std::vector<Control*>& controls, std::deque<Line>& lines) override;

  void yield(YieldPoint point) override;
  void sleep_ms(int milliseconds) override;
  void show_message(const std::string& text) override;

 private:
  struct Window;
  std::unique_ptr<Window> window_;
};

}  // namespace toolkit
