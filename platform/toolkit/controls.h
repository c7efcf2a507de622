#pragma once
// Control models: plain objects that hold each control's state (value, text,
// caption, place in twips, colours). They are the program's shared state; a
// toolkit's widgets only mirror them. A write by the program notifies the
// attached view; a user's action goes through the user_* entry points, which
// change the state and then run the control's event handler.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/surface.h"

namespace toolkit {

constexpr int kTwipsPerPixel = 15;
constexpr int to_pixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

// Left, top, width, height in twips within the window's client area.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// What a toolkit attaches to a control to mirror it on screen.
class ControlView {
 public:
  virtual ~ControlView() = default;
  virtual void control_changed() = 0;
};

class Control {
 public:
  explicit Control(std::string name) : name_(std::move(name)) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  const std::string& name() const { return name_; }
  // Editions differ in which controls they have; a control that does not
  // exist is never shown and never listed.
  bool exists = false;
  Rect rect;
  std::optional<gdi::COLORREF> back_colour;  // none: the toolkit's default look
  std::optional<gdi::COLORREF> text_colour;
  bool bold = false;

  void attach(ControlView* view) { view_ = view; }

 protected:
  void changed() const {
    if (view_ != nullptr) view_->control_changed();
  }

 private:
  std::string name_;
  ControlView* view_ = nullptr;
};

class CheckBox : public Control {
 public:
  using Control::Control;
  std::string Caption;
  // 0 clear, 1 checked, 2 greyed.
  int Value() const { return value_; }
  void set_Value(int value);
  // The user clicks the box: clear and greyed become checked, checked clear.
  void user_click();
  std::function<void()> on_click;

 private:
  int value_ = 0;
};

class OptionButton : public Control {
 public:
  using Control::Control;
  std::string Caption;
  bool Value() const { return value_; }
  // Selecting one button of a group clears the others.
  void set_Value(bool value);
  void user_click() { set_Value(true); }
  std::vector<OptionButton*> group;

 private:
  bool value_ = false;
};

class HScrollBar : public Control {
 public:
  using Control::Control;
  int Min = 0;
  int Max = 32767;
  int SmallChange = 1;
  int LargeChange = 1;
  int Value() const { return value_; }
  // Values outside Min..Max are clamped.
  void set_Value(int value);
  // The user drags the thumb (Scroll) or lets it go / clicks (Change).
  void user_scroll(int value);
  void user_change(int value);
  std::function<void()> on_scroll;
  std::function<void()> on_change;

 private:
  int clamped(int value) const;
  int value_ = 0;
};

class TextBox : public Control {
 public:
  using Control::Control;
  const std::string& Text() const { return text_; }
  void set_Text(std::string text);
  // The user edits the box; no handler runs.
  void user_edit(std::string text) { text_ = std::move(text); }

 private:
  std::string text_;
};

class Label : public Control {
 public:
  using Control::Control;
  std::string Caption;
};

// A drawn line of the window, from (X1, Y1) to (X2, Y2) in twips.
class Line : public Control {
 public:
  using Control::Control;
  int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

class CommandButton : public Control {
 public:
  using Control::Control;
  std::string Caption;
  void user_click() {
    if (on_click) on_click();
  }
  std::function<void()> on_click;
};

class Timer : public Control {
 public:
  using Control::Control;
  int Interval = 0;  // milliseconds
  bool Enabled = false;
  // The toolkit calls this when the interval has passed.
  void fire() {
    if (Enabled && on_timer) on_timer();
  }
  std::function<void()> on_timer;
};

// The window's frame: its caption (the title) and client area in twips.
class Form : public Control {
 public:
  using Control::Control;
  const std::string& Caption() const { return caption_; }
  void set_Caption(std::string caption);
  int client_width = 0;
  int client_height = 0;
  // The user closes the window.
  void user_close() {
    if (on_unload) on_unload();
  }
  std::function<void()> on_unload;

 private:
  std::string caption_;
};

}  // namespace toolkit
