#include "platform/toolkit/win32_toolkit.h"

#include <cstdio>

#include "platform/toolkit/win32_native.h"
#include "platform/toolkit/win32_views.h"

namespace toolkit {

using namespace win32;

// The form's window with a view for every control it shows.
class Win32Toolkit::Window : public ControlView, public FormEvents {
 public:
  Window(Form& form, const std::vector<Control*>& controls, const std::deque<Line>& lines)
      : form_(form) {
    std::vector<Segment> segments;
    for (const Line& line : lines) {
      if (!line.exists) continue;
      segments.push_back(
          {to_pixels(line.X1), to_pixels(line.Y1), to_pixels(line.X2), to_pixels(line.Y2)});
    }
    handle_ = create_form(form.Caption(), to_pixels(form.client_width),
                          to_pixels(form.client_height), std::move(segments), *this);
    for (Control* control : controls) {
      if (!control->exists) continue;
      if (auto view = make_view(handle_, *control)) views_.push_back(std::move(view));
      if (auto* timer = dynamic_cast<Timer*>(control)) {
        if (timer->Enabled && timer->Interval > 0) timers_.push_back(timer);
      }
    }
    form_.attach(this);
  }

  ~Window() override {
    form_.attach(nullptr);
    // The views let go of their controls before the windows go.
    views_.clear();
    destroy_form(handle_);
  }

  bool opened() const { return handle_ != nullptr; }
  Handle handle() const { return handle_; }

  void show() {
    show_form(handle_);
    for (std::size_t i = 0; i < timers_.size(); ++i) {
      start_timer(handle_, static_cast<int>(i) + 1, timers_[i]->Interval);
    }
  }

  // The loader sets the caption once per triangle read; only the last one
  // can be seen, so the title is set once, at the next turn of the loop.
  void control_changed() override {
    if (caption_pending_) return;
    caption_pending_ = true;
    post_caption_update(handle_);
  }

  void caption_due() override {
    caption_pending_ = false;
    set_caption(handle_, form_.Caption());
  }

  void timer_elapsed(int id) override {
    if (id >= 1 && id <= static_cast<int>(timers_.size())) timers_[id - 1]->fire();
  }

  // The form sets its end request; a running render loop returns after the
  // yield that delivered this, and the event loop ends with the window.
  void close_requested() override {
    form_.user_close();
    destroy_form(handle_);
  }

 private:
  Form& form_;
  Handle handle_ = nullptr;
  std::vector<std::unique_ptr<ControlView>> views_;
  std::vector<Timer*> timers_;
  bool caption_pending_ = false;
};

Win32Toolkit::Win32Toolkit(std::string program) : program_(std::move(program)) {}
Win32Toolkit::~Win32Toolkit() = default;

int Win32Toolkit::run(Form& form, const std::vector<Control*>& controls,
                      std::deque<Line>& lines) {
  window_ = std::make_unique<Window>(form, controls, lines);
  if (!window_->opened()) {
    message_box(nullptr, program_, "The window could not be created.");
    return 1;
  }
  window_->show();
  const int status = run_until_quit();
  // The controls outlive this call; the windows and views do not.
  window_.reset();
  return status;
}

void Win32Toolkit::yield(YieldPoint) { process_pending(); }

void Win32Toolkit::sleep_ms(int milliseconds) { win32::sleep_ms(milliseconds); }

void Win32Toolkit::show_message(const std::string& text) {
  std::fprintf(stderr, "%s: %s\n", program_.c_str(), text.c_str());
  message_box(window_ ? window_->handle() : nullptr, program_, text);
}

std::unique_ptr<WindowToolkit> open_window_toolkit(const std::string& program) {
  return std::make_unique<Win32Toolkit>(program);
}

}  // namespace toolkit
