#pragma once
// The toolkit of the platform's windows: FLTK on Linux, the system's own
// controls on Windows. The build links exactly one; the window logic above
// it is the same for both.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/controls.h"
#include "platform/toolkit/program_entry.h"
#include "platform/toolkit/toolkit.h"

namespace toolkit {

class WindowToolkit : public Toolkit {
 public:
  // Builds the window for the form and its controls, shows it and runs the
  // event loop until the window is closed. Returns the exit code.
  virtual int run(Form& form, const std::vector<Control*>& controls, std::deque<Line>& lines) = 0;
};

// The platform's toolkit for the program `program`; null, once the user has
// been told why, when there is nowhere to show a window.
std::unique_ptr<WindowToolkit> open_window_toolkit(const std::string& program);

}  // namespace toolkit
