#pragma once
// What the native Win32 files share: windows.h, the data kept with each
// window, and text in UTF-16. Included by win32_native_*.cpp only.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/win32_native.h"

namespace toolkit::win32 {

// Kept with every control (GWLP_USERDATA): where its events go and how it looks.
struct ChildData {
  Kind kind = Kind::Label;
  ChildEvents* events = nullptr;
  Look look;
  HBRUSH back_brush = nullptr;  // of look.back, made once
  bool setting_text = false;    // a write by the program, not an edit
};

// Kept with the form: its events, lines, fonts and every control's data.
struct FormData {
  FormEvents* events = nullptr;
  std::vector<Segment> lines;
  HFONT font = nullptr;
  HFONT bold_font = nullptr;
  std::vector<std::unique_ptr<ChildData>> children;
  ~FormData();
};

inline ChildData* child_data(HWND control) {
  return reinterpret_cast<ChildData*>(GetWindowLongPtrW(control, GWLP_USERDATA));
}
inline FormData* form_data(HWND form) {
  return reinterpret_cast<FormData*>(GetWindowLongPtrW(form, GWLP_USERDATA));
}
inline HWND hwnd(Handle handle) { return static_cast<HWND>(handle); }

std::wstring wide(const std::string& utf8);
std::string utf8(const std::wstring& text);

// The form's window procedure hands these to the controls' code.
LRESULT colour_control(HWND control, HDC dc, LRESULT default_brush);
void command_from(HWND control, WORD code);
void scroll_from(HWND bar, WORD code);

// The picture's window class, registered once.
const wchar_t* picture_class();

}  // namespace toolkit::win32
