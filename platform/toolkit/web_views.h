#pragma once
// The views of the web toolkit: each control mirrored by an HTML element of
// the page (web_page.js). A write by the program updates the element; a
// user's action, taken from the page's queue in a yield, goes to the view
// of its control, which calls the control's user_* entry point.

#include <memory>
#include <string>

#include "platform/toolkit/controls.h"

namespace toolkit::web {

// A user's action as the page queued it.
struct PageEvent {
  int kind = 0;
  int value = 0;
  std::string text;
};

// A view attached to its control for as long as it lives; views die before
// their controls.
class WebView : public ControlView {
 public:
  WebView(Control& control, int id) : control_(control), id_(id) { control_.attach(this); }
  ~WebView() override { control_.attach(nullptr); }
  WebView(const WebView&) = delete;
  WebView& operator=(const WebView&) = delete;

  // Runs the control's part of a user's action; may yield, and so run
  // other events nested inside it.
  virtual void take(const PageEvent&) {}

 protected:
  int id() const { return id_; }

 private:
  Control& control_;
  int id_;
};

// The element of a control, made on the page, and its view; null for the
// controls without one (timers, lines, the form).
std::unique_ptr<WebView> make_view(Control& control, int id);

}  // namespace toolkit::web
