#include "platform/toolkit/web_toolkit.h"

#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <map>

#include "platform/toolkit/message_text.h"
#include "platform/toolkit/web_page.h"
#include "platform/toolkit/web_views.h"

namespace toolkit {

namespace {

// The waits hand the thread back to the browser and return when the page
// resolves them (emscripten's Asyncify unwinds and rewinds the stack).
EM_ASYNC_JS(void, wait_for_event, (), { await Module.kelvoPage.waitForEvent(); });
EM_ASYNC_JS(void, next_turn, (), { await Module.kelvoPage.nextTurn(); });
EM_ASYNC_JS(void, wait_for_message, (), { await Module.kelvoPage.waitForMessage(); });

// The form's caption is the page's title. The loader sets it once per
// triangle read; only the last can be seen, so it is shown once, at the
// next yield.
class FormView : public ControlView {
 public:
  explicit FormView(Form& form) : form_(form) { form_.attach(this); }
  ~FormView() override { form_.attach(nullptr); }
  void control_changed() override { pending_ = true; }
  void show() {
    if (!pending_) return;
    pending_ = false;
    kelvo_page_title(form_.Caption().c_str());
  }

 private:
  Form& form_;
  bool pending_ = true;
};

// How deep the stack stood at the deepest yield since the page last asked:
// restarts of the loop, however many, must leave it where it was.
const char* stack_base = nullptr;
int deepest_yield = 0;

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE int kelvo_stack_depth() {
  const int deepest = deepest_yield;
  deepest_yield = 0;
  return deepest;
}

struct WebToolkit::Page {
  Page(Form& form_in, const std::vector<Control*>& controls, const std::deque<Line>& lines)
      : form(form_in), form_view(form_in) {
    kelvo_page_open(to_pixels(form.client_width), to_pixels(form.client_height));
    form_view.show();
    int id = 0;
    for (Control* control : controls) {
      ++id;
      if (!control->exists) continue;
      if (auto view = web::make_view(*control, id)) views[id] = std::move(view);
      if (auto* timer = dynamic_cast<Timer*>(control)) {
        if (timer->Enabled && timer->Interval > 0) timers[id] = timer;
      }
    }
    for (const Line& line : lines) {
      if (!line.exists) continue;
      kelvo_page_line(to_pixels(line.X1), to_pixels(line.Y1), to_pixels(line.X2),
                      to_pixels(line.Y2));
    }
    kelvo_page_finish();
    for (const auto& [timer_id, timer] : timers) kelvo_timer_start(timer_id, timer->Interval);
  }

  // Takes one queued action; false when there is none.
  bool take_one() {
    const int kind = kelvo_event_take();
    if (kind == web::kNoEvent) return false;
    if (kind == web::kClose) {
      // The form sets its end request; a running render loop returns after
      // this yield, and the wait for actions ends.
      ending = true;
      form.user_close();
      return true;
    }
    const int id = kelvo_event_control();
    if (kind == web::kTick) {
      kelvo_timer_taken(id);
      if (const auto timer = timers.find(id); timer != timers.end()) timer->second->fire();
      return true;
    }
    web::PageEvent event{kind, kelvo_event_value(), {}};
    if (kind == web::kEdit) {
      char* text = kelvo_event_text();
      event.text = text;
      std::free(text);
    }
    if (const auto view = views.find(id); view != views.end()) view->second->take(event);
    return true;
  }

  Form& form;
  FormView form_view;
  std::map<int, std::unique_ptr<web::WebView>> views;
  std::map<int, Timer*> timers;
  bool ending = false;
};

WebToolkit::WebToolkit(std::string program) : program_(std::move(program)) {}
WebToolkit::~WebToolkit() = default;

int WebToolkit::run(Form& form, const std::vector<Control*>& controls, std::deque<Line>& lines) {
  page_ = std::make_unique<Page>(form, controls, lines);
  stack_base = static_cast<const char*>(__builtin_frame_address(0));
  while (!page_->ending) {
    wait_for_event();
    take_queued_events();
  }
  kelvo_page_ended(program_.c_str());
  // The controls outlive this call; the views do not.
  page_.reset();
  return 0;
}

void WebToolkit::take_queued_events() {
  // Actions queued by the actions themselves run in this turn too, as a
  // window's pending events would.
  while (!page_->ending && page_->take_one()) {
  }
  page_->form_view.show();
}

void WebToolkit::yield(YieldPoint) {
  if (!page_) return;
  const char* here = static_cast<const char*>(__builtin_frame_address(0));
  const int depth = static_cast<int>(stack_base - here);
  if (depth > deepest_yield) deepest_yield = depth;
  next_turn();
  take_queued_events();
}

void WebToolkit::sleep_ms(int milliseconds) {
  if (milliseconds > 0) emscripten_sleep(static_cast<unsigned>(milliseconds));
}

void WebToolkit::show_message(const std::string& text) {
  std::printf("%s: %s\n", program_.c_str(), text.c_str());
  if (!page_) return;
  page_->form_view.show();
  // The whole text went to the console; the box shows what can be read.
  kelvo_message_show(program_.c_str(), shorten_quotes(text).c_str());
  // The box is modal: the user's other actions wait in the queue. A close
  // request ends the wait; the close itself is taken at the next yield.
  while (kelvo_message_open() != 0 && kelvo_close_requested() == 0) wait_for_message();
  kelvo_message_close();
}

int requested_edition() { return kelvo_page_edition(); }

}  // namespace toolkit
