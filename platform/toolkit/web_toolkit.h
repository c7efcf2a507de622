#pragma once
// The web toolkit: the form and its controls as elements of a page, in a
// program built to WebAssembly. The only code that includes emscripten's
// headers is behind this header (and web_page.h, the page's functions).

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/controls.h"
#include "platform/toolkit/toolkit.h"

namespace toolkit {

class WebToolkit : public Toolkit {
 public:
  // `program` names the program in the message box and when it has ended.
  explicit WebToolkit(std::string program);
  ~WebToolkit() override;

  // Builds the form and its controls on the page and takes the user's
  // actions until the program is to end (the user leaves the page, or a
  // test asks for the end). Returns the exit code.
  int run(Form& form, const std::vector<Control*>& controls, std::deque<Line>& lines);

  // One turn of the browser's event loop (the page takes input and is
  // painted), then every queued action, each to completion or to its own
  // yield.
  void yield(YieldPoint point) override;
  // A real wait; no action is taken meanwhile.
  void sleep_ms(int milliseconds) override;
  // A message box on the page; returns when the user closes it, or at once
  // when the program is to end.
  void show_message(const std::string& text) override;

 private:
  struct Page;
  void take_queued_events();
  std::string program_;
  std::unique_ptr<Page> page_;
};

// The edition the page's address asks for (?edition=N), 0 for none.
int requested_edition();

}  // namespace toolkit
