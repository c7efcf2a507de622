#include "tools/event_script.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "platform/runtime/file_access.h"

namespace tools {

namespace {

std::runtime_error bad_line(int line, const std::string& why) {
  return std::runtime_error("event script line " + std::to_string(line) + ": " + why);
}

// VmRSS and VmHWM of this process, in kilobytes; 0 where /proc has none.
void memory_kb(long& resident, long& peak) {
  resident = peak = 0;
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    std::istringstream fields(line);
    std::string key;
    long value = 0;
    if (!(fields >> key >> value)) continue;
    if (key == "VmRSS:") resident = value;
    if (key == "VmHWM:") peak = value;
  }
}

// The whole script; a folder, a device or a fifo is refused as it would be
// read as an empty script.
std::string read_script(const std::string& path) {
  std::FILE* file = nullptr;
  try {
    file = runtime::open_regular_file(path);
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(std::string("event script: ") + e.what());
  }
  std::string text;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
  const bool failed = std::ferror(file);
  std::fclose(file);
  if (failed) throw std::runtime_error("cannot read the event script \"" + path + "\"");
  return text;
}

}  // namespace

std::vector<ScriptedEvent> read_event_script(const std::string& path) {
  std::istringstream in(read_script(path));
  std::vector<ScriptedEvent> events;
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    if (text.empty() || text[0] == '#') continue;
    std::istringstream fields(text);
    ScriptedEvent e;
    e.line = line;
    if (!(fields >> e.frame) || e.frame < 0) throw bad_line(line, "no frame number");
    fields >> e.action;
    const bool named = e.action == "click" || e.action == "scroll" || e.action == "change" ||
                       e.action == "type" || e.action == "model";
    if (!named && e.action != "tick" && e.action != "close" && e.action != "memory") {
      throw bad_line(line, "unknown action \"" + e.action + "\"");
    }
    if (named && !(fields >> e.name)) throw bad_line(line, e.action + " needs a name");
    if (e.action == "type") {
      // The text runs to the end of the line, after one blank.
      std::getline(fields, e.value);
      if (!e.value.empty() && e.value[0] == ' ') e.value.erase(0, 1);
    } else if ((e.action == "scroll" || e.action == "change") && !(fields >> e.value)) {
      throw bad_line(line, e.action + " needs a value");
    }
    if (std::string extra; e.action != "type" && fields >> extra) {
      throw bad_line(line, "\"" + extra + "\" after " + e.action + " is not understood");
    }
    events.push_back(std::move(e));
  }
  // Actions of one frame keep their order.
  std::stable_sort(
      events.begin(), events.end(),
      [](const ScriptedEvent& a, const ScriptedEvent& b) { return a.frame < b.frame; });
  return events;
}

EventPlayer::EventPlayer(app::Form1& form, std::vector<ScriptedEvent> events, std::ostream& report,
                         const void* stack_base)
    : form_(form),
      events_(std::move(events)),
      report_(report),
      stack_base_(static_cast<const char*>(stack_base)) {
  // Every action is checked before the first is taken, so that a mistake in
  // the script stops nothing halfway.
  form_.File1.Refresh();
  const auto& models = form_.File1.items();
  for (const ScriptedEvent& e : events_) {
    toolkit::Control* control = form_.find(e.name);
    bool fits = true;
    if (e.action == "click") {
      fits = dynamic_cast<toolkit::CheckBox*>(control) ||
             dynamic_cast<toolkit::OptionButton*>(control) ||
             dynamic_cast<toolkit::CommandButton*>(control);
    } else if (e.action == "scroll" || e.action == "change") {
      fits = dynamic_cast<toolkit::HScrollBar*>(control) != nullptr;
      std::size_t used = 0;
      try {
        std::stol(e.value, &used);
      } catch (const std::exception&) {
      }
      if (used == 0 || used != e.value.size()) {
        throw bad_line(e.line, "\"" + e.value + "\" is not a whole number");
      }
    } else if (e.action == "type") {
      fits = dynamic_cast<toolkit::TextBox*>(control) != nullptr;
    } else if (e.action == "model") {
      if (std::find(models.begin(), models.end(), e.name) == models.end()) {
        throw bad_line(e.line, "\"" + e.name + "\" is not in the model list");
      }
    }
    if (!fits) {
      throw bad_line(e.line, "edition " + std::to_string(form_.edition().number) + " has no " +
                                 e.action + " target \"" + e.name + "\"");
    }
  }
}

void EventPlayer::at_frame_end(long frame) {
  frame_ = frame;
  while (next_ < events_.size() && events_[next_].frame <= frame) take(events_[next_++]);
}

bool EventPlayer::take_next() {
  if (next_ == events_.size()) return false;
  take(events_[next_++]);
  return true;
}

void EventPlayer::take(const ScriptedEvent& e) {
  toolkit::Control* control = form_.find(e.name);
  if (e.action == "click") {
    if (auto* box = dynamic_cast<toolkit::CheckBox*>(control)) box->user_click();
    if (auto* option = dynamic_cast<toolkit::OptionButton*>(control)) option->user_click();
    if (auto* button = dynamic_cast<toolkit::CommandButton*>(control)) button->user_click();
  } else if (e.action == "scroll" || e.action == "change") {
    auto& bar = dynamic_cast<toolkit::HScrollBar&>(*control);
    const int value = static_cast<int>(std::clamp<long>(std::stol(e.value), bar.Min, bar.Max));
    if (e.action == "scroll") {
      bar.user_scroll(value);
    } else {
      bar.user_change(value);
    }
  } else if (e.action == "type") {
    dynamic_cast<toolkit::TextBox&>(*control).user_edit(e.value);
  } else if (e.action == "model") {
    // The list is read afresh, as a user sees it now; a file gone since the
    // script was checked is not clicked.
    form_.File1.Refresh();
    const auto& items = form_.File1.items();
    const auto found = std::find(items.begin(), items.end(), e.name);
    if (found != items.end()) form_.File1.user_click(static_cast<int>(found - items.begin()));
  } else if (e.action == "tick") {
    form_.Timer1.fire();
  } else if (e.action == "close") {
    form_.form.user_close();
  } else if (e.action == "memory") {
    long resident = 0, peak = 0;
    memory_kb(resident, peak);
    const char* here = static_cast<const char*>(__builtin_frame_address(0));
    report_ << "frame " << frame_ << " memory resident " << resident << " KB peak " << peak
            << " KB stack " << (stack_base_ - here) << " bytes\n";
  }
}

}  // namespace tools
