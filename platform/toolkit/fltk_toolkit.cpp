#include "platform/toolkit/fltk_toolkit.h"

#include <FL/Fl.H>
#include <FL/Fl_Group.H>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <map>

#include "platform/runtime/sleep.h"
#include "platform/toolkit/file_list_box.h"
#include "platform/toolkit/fltk_buttons.h"
#include "platform/toolkit/fltk_file_list.h"
#include "platform/toolkit/fltk_message_box.h"
#include "platform/toolkit/fltk_picture.h"
#include "platform/toolkit/fltk_scrollbar.h"
#include "platform/toolkit/fltk_text.h"
#include "platform/toolkit/fltk_window.h"
#include "platform/toolkit/picture_box.h"

namespace toolkit {

namespace {

void timer_elapsed(void* data) {
  auto* timer = static_cast<Timer*>(data);
  if (timer->Interval <= 0) return;
  // Re-armed before firing: the handler may yield, and FLTK measures the
  // next interval from the timeout it is serving only until another one runs.
  // The delay is always positive, so a late timer cannot spin in one yield.
  Fl::repeat_timeout(timer->Interval / 1000.0, &timer_elapsed, timer);
  timer->fire();
}

// Option buttons of one group share an Fl_Group of their own, because radio
// buttons exclude each other per parent group.
class OptionGroups {
 public:
  explicit OptionGroups(Fl_Group& window) : window_(window) {}

  // Opens the group of `option` for the next widget; close() returns to the window.
  void open(const OptionButton& option) {
    const OptionButton* key = option.group.empty() ? &option : option.group.front();
    Fl_Group*& group = groups_[key];
    if (group == nullptr) {
      group = new Fl_Group(0, 0, 0, 0);
      group->end();
      fit(*group, option);
    }
    group->begin();
  }
  void close() { window_.begin(); }

 private:
  // The group spans its buttons, so events inside any of them reach it.
  static void fit(Fl_Group& group, const OptionButton& option) {
    std::vector<const OptionButton*> members(option.group.begin(), option.group.end());
    if (members.empty()) members.push_back(&option);
    int left = 0, top = 0, right = 0, bottom = 0;
    bool first = true;
    for (const OptionButton* member : members) {
      if (!member->exists) continue;
      const fltk::PixelRect r = fltk::pixel_rect(member->rect);
      left = first ? r.x : std::min(left, r.x);
      top = first ? r.y : std::min(top, r.y);
      right = first ? r.x + r.w : std::max(right, r.x + r.w);
      bottom = first ? r.y + r.h : std::max(bottom, r.y + r.h);
      first = false;
    }
    group.resize(left, top, right - left, bottom - top);
  }

  Fl_Group& window_;
  std::map<const OptionButton*, Fl_Group*> groups_;
};

std::unique_ptr<ControlView> make_view(Control& control, OptionGroups& option_groups) {
  using namespace fltk;
  if (auto* box = dynamic_cast<CheckBox*>(&control)) return std::make_unique<CheckBoxView>(*box);
  if (auto* option = dynamic_cast<OptionButton*>(&control)) {
    option_groups.open(*option);
    auto view = std::make_unique<OptionButtonView>(*option);
    option_groups.close();
    return view;
  }
  if (auto* bar = dynamic_cast<HScrollBar*>(&control)) return std::make_unique<ScrollBarView>(*bar);
  if (auto* text = dynamic_cast<TextBox*>(&control)) return std::make_unique<TextBoxView>(*text);
  if (auto* label = dynamic_cast<Label*>(&control)) return std::make_unique<LabelView>(*label);
  if (auto* button = dynamic_cast<CommandButton*>(&control)) {
    return std::make_unique<CommandButtonView>(*button);
  }
  if (auto* list = dynamic_cast<FileListBox*>(&control)) {
    return std::make_unique<FileListView>(*list);
  }
  if (auto* picture = dynamic_cast<PictureBox*>(&control)) {
    return std::make_unique<PictureView>(*picture);
  }
  // Timers, lines and the form itself have no widget of their own.
  return nullptr;
}

}  // namespace

struct FltkToolkit::Window {
  Window(Form& form, const std::vector<Control*>& controls, const std::deque<Line>& lines)
      : frame(new fltk::FormWindow(form, lines)) {
    OptionGroups option_groups(*frame);
    for (Control* control : controls) {
      if (!control->exists) continue;
      if (auto view = make_view(*control, option_groups)) views.push_back(std::move(view));
      if (auto* timer = dynamic_cast<Timer*>(control)) {
        if (timer->Enabled && timer->Interval > 0) timers.push_back(timer);
      }
    }
    frame->end();
  }

  ~Window() {
    for (Timer* timer : timers) Fl::remove_timeout(&timer_elapsed, timer);
    // The views let go of their controls before the widgets go.
    views.clear();
    delete frame;
  }

  void start_timers() {
    for (Timer* timer : timers) Fl::add_timeout(timer->Interval / 1000.0, &timer_elapsed, timer);
  }

  fltk::FormWindow* frame;
  std::vector<std::unique_ptr<ControlView>> views;
  std::vector<Timer*> timers;
};

FltkToolkit::FltkToolkit() = default;
FltkToolkit::~FltkToolkit() = default;

int FltkToolkit::run(Form& form, const std::vector<Control*>& controls, std::deque<Line>& lines) {
  // No dotted focus frame on clicked buttons.
  Fl::visible_focus(0);
  fltk::deliver_close_requests_past_message_boxes();
  window_ = std::make_unique<Window>(form, controls, lines);
  window_->frame->show();
  window_->start_timers();
  Fl::run();
  // The controls outlive this call; the widgets and views do not.
  window_.reset();
  return 0;
}

void FltkToolkit::yield(YieldPoint) { Fl::check(); }

void FltkToolkit::sleep_ms(int milliseconds) { runtime::Sleep(milliseconds); }

void FltkToolkit::show_message(const std::string& text) {
  // The whole text for the record; the box shows what fits.
  std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, text.c_str());
  if (window_ == nullptr) return;
  fltk::show_message_box(*window_->frame, program_invocation_short_name, text);
}

}  // namespace toolkit
