#include "platform/toolkit/web_views.h"

#include <cstdint>

#include "platform/toolkit/file_list_box.h"
#include "platform/toolkit/message_text.h"
#include "platform/toolkit/picture_box.h"
#include "platform/toolkit/web_page.h"
#include "platform/toolkit/web_picture.h"

namespace toolkit::web {

namespace {

std::int32_t colour_or_none(const std::optional<gdi::COLORREF>& colour) {
  return colour ? static_cast<std::int32_t>(*colour) : -1;
}

// The element at the control's place: twips to pixels, as every back end
// rounds them.
void add_element(const Control& control, int id, const char* kind, bool border = false) {
  const Rect& r = control.rect;
  kelvo_control_add(id, control.name().c_str(), kind, to_pixels(r.left), to_pixels(r.top),
                    to_pixels(r.width), to_pixels(r.height), colour_or_none(control.back_colour),
                    colour_or_none(control.text_colour), control.bold ? 1 : 0, border ? 1 : 0);
}

class CheckBoxView : public WebView {
 public:
  CheckBoxView(CheckBox& box, int id) : WebView(box, id), box_(box) {
    add_element(box, id, "check");
    control_changed();
  }
  void control_changed() override {
    kelvo_control_caption(id(), box_.Caption.c_str());
    kelvo_control_check(id(), box_.Value());
  }
  void take(const PageEvent&) override {
    box_.user_click();
    // The model decides the new value and does not notify for a user's click.
    control_changed();
  }

 private:
  CheckBox& box_;
};

class OptionButtonView : public WebView {
 public:
  OptionButtonView(OptionButton& option, int id) : WebView(option, id), option_(option) {
    add_element(option, id, "option");
    control_changed();
  }
  void control_changed() override {
    kelvo_control_caption(id(), option_.Caption.c_str());
    kelvo_control_check(id(), option_.Value() ? 1 : 0);
  }
  // The model clears the other buttons of the group and notifies each.
  void take(const PageEvent&) override { option_.user_click(); }

 private:
  OptionButton& option_;
};

class CommandButtonView : public WebView {
 public:
  CommandButtonView(CommandButton& button, int id) : WebView(button, id), button_(button) {
    add_element(button, id, "button");
    control_changed();
  }
  void control_changed() override { kelvo_control_caption(id(), button_.Caption.c_str()); }
  // May run the whole render loop before it returns.
  void take(const PageEvent&) override { button_.user_click(); }

 private:
  CommandButton& button_;
};

class TextBoxView : public WebView {
 public:
  TextBoxView(TextBox& box, int id) : WebView(box, id), box_(box) {
    add_element(box, id, "text");
    control_changed();
  }
  void control_changed() override { kelvo_control_text(id(), box_.Text().c_str()); }
  void take(const PageEvent& event) override { box_.user_edit(event.text); }

 private:
  TextBox& box_;
};

class LabelView : public WebView {
 public:
  LabelView(Label& label, int id) : WebView(label, id), label_(label) {
    add_element(label, id, "label");
    control_changed();
  }
  void control_changed() override { kelvo_control_caption(id(), label_.Caption.c_str()); }

 private:
  Label& label_;
};

class ScrollBarView : public WebView {
 public:
  ScrollBarView(HScrollBar& bar, int id) : WebView(bar, id), bar_(bar) {
    add_element(bar, id, "scroll");
    control_changed();
  }
  void control_changed() override {
    kelvo_control_scroll(id(), bar_.Min, bar_.Max, bar_.SmallChange, bar_.LargeChange,
                         bar_.Value());
  }
  void take(const PageEvent& event) override {
    if (event.kind == kScroll) {
      bar_.user_scroll(event.value);
    } else {
      bar_.user_change(event.value);
    }
  }

 private:
  HScrollBar& bar_;
};

class FileListView : public WebView {
 public:
  FileListView(FileListBox& list, int id) : WebView(list, id), list_(list) {
    add_element(list, id, "list");
    control_changed();
  }
  void control_changed() override {
    std::string names;
    for (const std::string& name : list_.items()) {
      // One row each: control characters show as '?'.
      names += printable_name(name);
      names += '\0';
    }
    kelvo_control_list(id(), names.data(), static_cast<int>(names.size()),
                       static_cast<int>(list_.items().size()), list_.ListIndex());
  }
  void take(const PageEvent& event) override {
    if (event.kind == kFilesAdded) {
      // The user put files into the folder: listed afresh, as a list does
      // when its folder changes.
      list_.Refresh();
      return;
    }
    list_.user_click(event.value);
    // The model does not notify for a user's click: show its selection.
    control_changed();
  }

 private:
  FileListBox& list_;
};

}  // namespace

std::unique_ptr<WebView> make_view(Control& control, int id) {
  if (auto* box = dynamic_cast<CheckBox*>(&control)) {
    return std::make_unique<CheckBoxView>(*box, id);
  }
  if (auto* option = dynamic_cast<OptionButton*>(&control)) {
    return std::make_unique<OptionButtonView>(*option, id);
  }
  if (auto* bar = dynamic_cast<HScrollBar*>(&control)) {
    return std::make_unique<ScrollBarView>(*bar, id);
  }
  if (auto* text = dynamic_cast<TextBox*>(&control)) {
    return std::make_unique<TextBoxView>(*text, id);
  }
  if (auto* label = dynamic_cast<Label*>(&control)) return std::make_unique<LabelView>(*label, id);
  if (auto* button = dynamic_cast<CommandButton*>(&control)) {
    return std::make_unique<CommandButtonView>(*button, id);
  }
  if (auto* list = dynamic_cast<FileListBox*>(&control)) {
    return std::make_unique<FileListView>(*list, id);
  }
  if (auto* picture = dynamic_cast<PictureBox*>(&control)) {
    add_element(*picture, id, "picture", picture->border);
    return std::make_unique<PictureView>(*picture, id);
  }
  return nullptr;
}

}  // namespace toolkit::web
