#pragma once
// Views that bind each kind of control to a native Win32 control, both ways:
// a user's action changes the control model (and runs its handler), a write
// by the program changes what the native control shows.

#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/controls.h"
#include "platform/toolkit/file_list_box.h"
#include "platform/toolkit/picture_box.h"
#include "platform/toolkit/shown_image.h"
#include "platform/toolkit/win32_native.h"

namespace toolkit::win32 {

// A view attached to its control for as long as it lives; views die before
// their controls (the toolkit destroys them when its window closes).
class BoundView : public ControlView, public ChildEvents {
 public:
  explicit BoundView(Control& control) : control_(control) { control_.attach(this); }
  ~BoundView() override { control_.attach(nullptr); }
  BoundView(const BoundView&) = delete;
  BoundView& operator=(const BoundView&) = delete;

 protected:
  // Makes the native control of `kind` for the control, with its text.
  void create(Handle form, Kind kind, const std::string& text);
  Handle handle_ = nullptr;

 private:
  Control& control_;
};

class CheckBoxView : public BoundView {
 public:
  CheckBoxView(Handle form, CheckBox& box);
  void control_changed() override;
  void clicked() override;

 private:
  CheckBox& box_;
};

class OptionButtonView : public BoundView {
 public:
  OptionButtonView(Handle form, OptionButton& option);
  void control_changed() override;
  void clicked() override;

 private:
  OptionButton& option_;
};

class CommandButtonView : public BoundView {
 public:
  CommandButtonView(Handle form, CommandButton& button);
  void control_changed() override;
  void clicked() override;

 private:
  CommandButton& button_;
};

class TextBoxView : public BoundView {
 public:
  TextBoxView(Handle form, TextBox& box);
  void control_changed() override;
  void edited() override;

 private:
  TextBox& box_;
  std::string shown_;
};

class LabelView : public BoundView {
 public:
  LabelView(Handle form, Label& label);
  void control_changed() override;

 private:
  Label& label_;
  std::string shown_;
};

class ScrollBarView : public BoundView {
 public:
  ScrollBarView(Handle form, HScrollBar& bar);
  void control_changed() override;
  void scrolled(ScrollRequest request, int thumb) override;

 private:
  HScrollBar& bar_;
};

class FileListView : public BoundView {
 public:
  FileListView(Handle form, FileListBox& list);
  void control_changed() override;
  void selected(int line) override;

 private:
  FileListBox& list_;
  std::vector<std::string> shown_;  // what the list box lists, to refill it only on change
};

class PictureView : public BoundView {
 public:
  PictureView(Handle form, PictureBox& picture);
  // Refresh: the part of the image that the screen does not show yet is
  // painted at the next turn of the event loop.
  void control_changed() override;
  void paint(void* dc, Box area, bool exact) override;

 private:
  PictureBox& picture_;
  ShownImage shown_;
};

// The view of `control` on the form, or null for the kinds drawn by the
// form itself or without a look of their own (lines, timers, the form).
std::unique_ptr<ControlView> make_view(Handle form, Control& control);

}  // namespace toolkit::win32
